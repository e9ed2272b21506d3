// The full search's iterative deepening: the per-search resets, the game's
// positions for the repetition rule, one search per depth, the line kept
// after a stop, and the ends: a deadline, the budget's forecast, a proven
// mate, the depth limit.
#include <algorithm>
#include <cstdio>

#include "base/debug_log.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "eval/game_stage.h"
#include "search/full_search.h"
#include "search/heartbeat.h"
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
                static_cast<long long>(searchCounters.nodes), ElapsedCentiseconds(t));
  LogLine("Think", text);
}

// The aspiration window: this wide to start with, half as wide again after
// each failure on either side, and the whole range once it is this wide.
constexpr int kAspirationStart = 200;  // a fifth of a pawn
constexpr int kAspirationWhole = 8 * 1024;

// One iteration inside an aspiration window around the last score (from
// depth 4 on; the whole range before), widened on the side that failed and
// searched again until the score falls inside it.
int SearchDepth(SearchWorker& w, int depth) {
  Thinker& t = w.t;
  int delta = kAspirationStart;
  int alpha = -kInfinity;
  int beta = kInfinity;
  if (depth >= 4) {
    alpha = std::max(t.lastScore - delta, -kInfinity);
    beta = std::min(t.lastScore + delta, kInfinity);
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

// No deeper iteration: past the soft deadline, or (a search on a budget
// alone) past half the budget, since the next depth takes longer than all
// before it.
bool TimeForNoMore(const Thinker& t) {
  if (t.softDeadline.set) return t.softDeadline.Passed(t.clock());
  if (t.hardDeadline.set) return false;
  return 2 * static_cast<long long>(ElapsedCentiseconds(t)) >= t.allocatedTime;
}

}  // namespace

void ClearFullSearchMemory() { MainWorker().order.Clear(); }

void ThinkFull(SearchResult& result, int budget, int depthLimit, const SearchDeadlines& deadlines) {
  Thinker& t = thinker;
  SearchWorker& w = MainWorker();
  PrepareSearch(t, budget, deadlines);
  position.GameStage = DecideGameStage(position);
  LogLine("Think", "GameStage: " + std::to_string(position.GameStage));
  TakeGameKeys(w);
  w.order.NewSearch();
  w.moves.listStart[0] = w.moves.listEnd[0] = 0;

  const int deepest = std::clamp(depthLimit, 1, kFullDepthLimit);
  for (int depth = 1; depth <= deepest; ++depth) {
    t.nominalDepth = depth;
    t.rootLineDepth = depth;
    w.rootDepth = depth;
    const int score = SearchDepth(w, depth);
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

  if (t.stop) KeepRootLine(t);
  // A stopped search shows its line once more, with the nodes and time it
  // ended with.
  if (CallerWantsLines() && !(t.stop && t.aborted)) PrintThinking(t.stop);
  result.move = t.pvLength[0] > 0 ? t.pvTable[0][0].move : kNoMove;
  result.score = t.pvLength[0] > 0 ? t.pvTable[0][0].score : 0;
}

}  // namespace morvi
