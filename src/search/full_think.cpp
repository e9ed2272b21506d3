// The full search's iterative deepening: the per-search resets, the game's
// positions for the repetition rule, one search per depth, the line kept
// after a stop, and the ends: a deadline, the budget's forecast, a proven
// mate, the depth limit.
#include <algorithm>
#include <cstdio>

#include "base/debug_log.h"
#include "base/random.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/game_stage.h"
#include "search/full_search.h"
#include "search/heartbeat.h"
#include "search/search_threads.h"
#include "search/strength_level.h"
#include "search/thinking_output.h"

namespace morvi {
namespace {

// The main search's worker, on the engine's position and Thinker.
SearchWorker& MainWorker() {
  static SearchWorker worker{position, thinker, searchCounters};
  return worker;
}

// The game's positions before the root, when the root is the game's last
// archived position (a search set up from a position alone has none).
void TakeGameKeys(SearchWorker& w) {
  const Position& pos = w.pos;
  w.gameKeyCount = 0;
  if (pos.ArchiveCount < 1) return;
  const std::uint64_t last = pos.ArchiveKeys[pos.ArchiveCount - 1];
  if (last != pos.Key && last != (pos.Key ^ EpKey(pos.EpSquare))) return;
  w.gameKeyCount = pos.ArchiveCount - 1;
  std::copy(pos.ArchiveKeys, pos.ArchiveKeys + w.gameKeyCount, w.gameKeys);
}

void LogDepth(const Thinker& t, int depth, int score) {
  char text[160];
  std::snprintf(text, sizeof text, "Depth %d score %d nodes %lld time %d cs", depth, score,
                static_cast<long long>(SearchedNodes()), ElapsedCentiseconds(t));
  LogLine("Think", text);
}

// The aspiration window: this wide to start with, half as wide again after
// each failure on either side, and the whole range once it is this wide.
constexpr int kAspirationStart = 200;  // a fifth of a pawn
constexpr int kAspirationWhole = 8 * 1024;

// One iteration inside an aspiration window around the score the line had
// before (from depth 4 on; the whole range before), widened on the side that
// failed and searched again until the score falls inside it.
int SearchDepth(SearchWorker& w, int depth, int centre) {
  Thinker& t = w.t;
  int delta = kAspirationStart;
  int alpha = -kInfinity;
  int beta = kInfinity;
  if (depth >= 4) {
    alpha = std::max(centre - delta, -kInfinity);
    beta = std::min(centre + delta, kInfinity);
  }
  for (;;) {
    const int score = FullSearch(w, 0, depth, alpha, beta);
    if (t.stop) return score;
    if (score <= alpha) {
      beta = (alpha + beta) / 2;
      alpha = std::max(score - delta, -kInfinity);
    } else if (score >= beta) {
      beta = std::min(score + delta, kInfinity);
    } else {
      return score;
    }
    delta += delta / 2;
    if (delta >= kAspirationWhole) {
      alpha = -kInfinity;
      beta = kInfinity;
    }
  }
}

// A mate score found by a search that looked at least as deep as the mate is
// far: no deeper search can change it.
bool MateProven(int score, int depth) {
  const int distance = score > 0 ? kMateBase - score : kMateBase + score;
  return distance >= 0 && distance % 1024 == 0 && distance / 1024 <= depth;
}

// After a stop: the interrupted iteration's line if a root move was searched
// to its end in it, else the last completed iteration's.
void KeepRootLine(Thinker& t) {
  if (t.pvLength[0] > 0 || t.prevPvLength <= 0) return;
  std::copy(t.prevPv, t.prevPv + t.prevPvLength, t.pvTable[0]);
  t.pvLength[0] = t.prevPvLength;
  t.rootLineDepth = t.prevPvDepth;
}

// The root moves the search may play: legal, and among a restricted
// search's list.
int CountRootMoves(SearchWorker& w) {
  Position& pos = w.pos;
  MoveEntry* list = w.moves.entries;
  int end = 0;
  pos.GenerateMoves(list, &end);
  int count = 0;
  for (int i = 0; i < end; ++i) {
    const Move move = list[i].move;
    const Move* filter = w.t.rootFilter;
    if (w.t.rootFilterCount > 0 && std::find(filter, filter + w.t.rootFilterCount, move) == filter + w.t.rootFilterCount) {
      continue;
    }
    UndoRecord undo;
    if (pos.MakeMove(move, undo) == 0) continue;
    pos.UnmakeMove(move, undo);
    ++count;
  }
  return count;
}

void TakeRow(const Thinker& t, int depth, SearchLine& line) {
  line.length = t.pvLength[0];
  std::copy(t.pvTable[0], t.pvTable[0] + t.pvLength[0], line.moves);
  line.score = t.pvTable[0][0].score;
  line.depth = depth;
}

void PutRow(Thinker& t, const SearchLine& line) {
  std::copy(line.moves, line.moves + line.length, t.pvTable[0]);
  t.pvLength[0] = line.length;
}

// An iteration of a search that shows several lines: the best line, then
// the next best ones, each with the lines already found left out at the
// root, each in a window around its own score of the last iteration. The
// lines replace the Thinker's only once all are found, best first, and row
// 0 then holds the best. Returns the best line's score.
int SearchLines(SearchWorker& w, int depth, int wanted) {
  Thinker& t = w.t;
  const int count = std::min(wanted, CountRootMoves(w));
  // No move to play (mated, stalemated, or no move the caller allows): the
  // one-line search says so; the lines of an earlier search must not stand.
  if (count == 0) return SearchDepth(w, depth, t.lastScore);
  w.excludedCount = 0;
  int found = 0;
  for (; found < count; ++found) {
    const int centre = found < t.lineCount ? t.lines[found].score : t.lastScore;
    SearchDepth(w, depth, centre);
    if (t.stop || t.pvLength[0] == 0) break;
    TakeRow(t, depth, w.newLines[found]);
    w.excluded[w.excludedCount++] = t.pvTable[0][0].move;
  }
  w.excludedCount = 0;
  if (found < count) return t.lastScore;  // stopped: the last complete lines stand
  // Best first, equal scores in the order found; an insertion sort of their
  // indices, since a library sort may take memory of its own.
  int order[kMaxMultiPv];
  for (int k = 0; k < found; ++k) {
    int j = k;
    for (; j > 0 && w.newLines[order[j - 1]].score < w.newLines[k].score; --j) order[j] = order[j - 1];
    order[j] = k;
  }
  for (int k = 0; k < found; ++k) t.lines[k] = w.newLines[order[k]];
  t.lineCount = found;
  PutRow(t, t.lines[0]);
  return t.lines[0].score;
}

// No deeper iteration: past the soft deadline, or (a search on a budget
// alone) past half the budget, since the next depth takes longer than all
// before it.
bool TimeForNoMore(const Thinker& t) {
  if (t.softDeadline.set) return t.softDeadline.Passed(t.clock());
  if (t.hardDeadline.set) return false;
  return 2 * static_cast<long long>(ElapsedCentiseconds(t)) >= t.allocatedTime;
}

// The caller's node limit and poll interval, kept while a level's own
// limit is in force.
struct NodeLimit {
  std::int64_t nodes;
  int mask;
};

NodeLimit LimitNodes(Thinker& t, const LevelPlan& level) {
  const NodeLimit callers{t.nodeLimit, t.heartbeatMask};
  if (level.limited && (t.nodeLimit == 0 || level.nodes < t.nodeLimit)) {
    t.nodeLimit = level.nodes;
    t.heartbeatMask = NodeLimitMask(level.nodes, t.heartbeatMask);
  }
  return callers;
}

void RestoreNodes(Thinker& t, const NodeLimit& callers) {
  t.nodeLimit = callers.nodes;
  t.heartbeatMask = callers.mask;
}

// A levelled move: one of the complete lines, chosen as the level chooses
// (row 0 then holds it, for the reply it expects), and the time a person
// of that level would take.
void PlayAtLevel(Thinker& t, const LevelPlan& level) {
  if (!t.aborted && t.lineCount > 1) {
    const int chosen = ChooseLevelLine(t.lines, t.lineCount, level, Random15());
    if (chosen > 0) {
      PutRow(t, t.lines[chosen]);
      LogLine("Think", "Level " + std::to_string(t.levelElo) + " plays line " + std::to_string(chosen + 1));
    }
  }
  SpendLevelTime(t, level);
}

}  // namespace

void ClearFullSearchMemory() { MainWorker().order.Clear(); }

int DeepenFull(SearchWorker& w, int firstDepth, int depthLimit) {
  Thinker& t = w.t;
  for (int depth = firstDepth; depth <= depthLimit && !t.stop; ++depth) {
    w.rootDepth = depth;
    t.nominalDepth = depth;
    const int score = SearchDepth(w, depth, t.lastScore);
    if (t.stop) break;
    t.lastScore = score;
  }
  return t.lastScore;
}

void ThinkFull(SearchResult& result, int budget, int depthLimit, const SearchDeadlines& deadlines) {
  Thinker& t = thinker;
  SearchWorker& w = MainWorker();
  PrepareSearch(t, budget, deadlines);
  position.GameStage = DecideGameStage(position);
  LogLine("Think", "GameStage: " + std::to_string(position.GameStage));
  TakeGameKeys(w);
  w.order.NewSearch();
  w.moves.listStart[0] = w.moves.listEnd[0] = 0;
  t.lineCount = 0;
  const LevelPlan level = t.levelElo > 0 ? PlanForLevel(t.levelElo) : LevelPlan{};
  const NodeLimit callersLimit = LimitNodes(t, level);
  const int wanted = std::clamp(std::max(t.multiPv, level.lines), 1, kMaxMultiPv);
  t.rootLines = wanted;

  const int deepest = std::clamp(depthLimit, 1, kFullDepthLimit);
  searchThreads.Start(w, deepest);
  for (int depth = 1; depth <= deepest; ++depth) {
    t.nominalDepth = depth;
    t.rootLineDepth = depth;
    w.rootDepth = depth;
    const int score = wanted > 1 ? SearchLines(w, depth, wanted) : SearchDepth(w, depth, t.lastScore);
    if (t.stop) break;
    t.lastScore = score;
    std::copy(t.pvTable[0], t.pvTable[0] + t.pvLength[0], t.prevPv);
    t.prevPvLength = t.pvLength[0];
    t.prevPvDepth = depth;
    if (CallerWantsLines()) PrintThinking(true);
    LogDepth(t, depth, score);
    if (MateProven(score, depth) && !t.untilStopped) break;
    if (TimeForNoMore(t)) break;
  }

  searchThreads.Stop();
  if (t.stop && wanted > 1 && t.lineCount > 0) PutRow(t, t.lines[0]);
  if (t.stop) KeepRootLine(t);
  // A stopped search shows its line once more, with the nodes and time it
  // ended with.
  if (CallerWantsLines() && !(t.stop && t.aborted)) PrintThinking(t.stop);
  RestoreNodes(t, callersLimit);
  if (level.limited) PlayAtLevel(t, level);
  result.move = t.pvLength[0] > 0 ? t.pvTable[0][0].move : kNoMove;
  result.score = t.pvLength[0] > 0 ? t.pvTable[0][0].score : 0;
}

}  // namespace morvi
