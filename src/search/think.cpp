// Think: the per-search resets, the game stage, the history clear, the
// iterations with their aspiration windows and AspWatch records, the
// forecast, the root line kept after a stop, and the result: after a stop,
// the score of the line kept.
#include "search/think.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/position.h"
#include "eval/game_stage.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "search/full_search.h"
#include "search/heartbeat.h"
#include "search/thinking_output.h"
#include "search/transposition.h"
#include "search/tree_search.h"

namespace morvi {

void PrepareSearch(Thinker& t, int budget, const SearchDeadlines& deadlines) {
  transpositionTable.NewSearch();
  t.branchFactor = kInitialBranchFactor;
  ClearLines(t);
  t.maxPly = 0;
  t.stop = false;
  t.aborted = false;
  t.stoppedByCaller = false;
  t.rootLines = 1;
  t.startClock = t.clock();
  t.allocatedTime = budget;
  SetDeadlines(t, deadlines, t.startClock);
  t.rootLineDepth = 0;
  t.prevPvLength = -1;
  t.prevPvDepth = 0;
  t.lastIterationTime = 0;
  moveStack.listStart[0] = 0;
  moveStack.listEnd[0] = 0;
}

namespace {

constexpr int kLateEnding = 3;

void LogThink(const char* format, int a) {
  char text[96];
  std::snprintf(text, sizeof text, format, a);
  LogLine("Think", text);
}

void LogWindow(const char* what, int low, int centre, int high, int value) {
  char text[128];
  std::snprintf(text, sizeof text, "%s Previous= %d/%d/%d, New= %d", what, low, centre, high, value);
  LogLine("AspWatch", text);
}

// True when the side to move has a legal move (the root is not mate or
// stalemate).
bool RootHasMoves() {
  Position& pos = position;
  MoveStack& ms = moveStack;
  pos.GenerateMoves(ms.entries, &ms.listEnd[0]);
  bool legal = false;
  for (int i = ms.listStart[0]; i < ms.listEnd[0] && !legal; ++i) {
    UndoRecord undo;
    if (pos.MakeMove(ms.entries[i].move, undo) == 0) continue;
    pos.UnmakeMove(ms.entries[i].move, undo);
    legal = true;
  }
  ms.listEnd[0] = ms.listStart[0];
  return legal;
}

// One iteration at the current nominal depth, with at most one re-search
// (and a full-window search when that left no line).
int SearchIteration(Thinker& t, bool allowNull) {
  int w = config.AspirationWindow;
  int s = t.lastScore;
  int depth = t.nominalDepth;
  int v = Search(0, depth, s - w, s + w, allowNull);
  switch (JudgeAspiration(v, s, w)) {
    case AspirationOutcome::kFailedHigh:
      LogWindow("Failed high", s - w, s, s + w, v);
      v = Search(0, depth, s + w, kInfinity, allowNull);
      LogWindow("Re-search", s + w, s, kInfinity, v);
      break;
    case AspirationOutcome::kNotFailed:
      LogWindow("Not failed", s - w, s, s + w, v);
      break;
    case AspirationOutcome::kFailedLow:
      LogWindow("Failed low", s - w, s, s + w, v);
      v = Search(0, depth, -kInfinity, s - w, allowNull);
      LogWindow("Re-search", -kInfinity, s, s - w, v);
      break;
  }
  // A re-search above the window finds no move when the best value is the
  // window's edge itself; when neither search scored any root move (with a
  // window of 0, any value equal to the last one does that), the iteration
  // is searched once more with the full window, so that it always ends with
  // a move when the position has one.
  if (!IsMove(t.pvTable[0][0].move) && !t.stop && RootHasMoves()) {
    v = Search(0, depth, -kInfinity, kInfinity, allowNull);
    LogWindow("Full window", -kInfinity, s, kInfinity, v);
  }
  return v;
}

// Thinking lines are shown in post mode, but not for a search that a command
// has aborted: its lines would arrive after that command (a move, say) and
// be read as lines about the position it made.
bool ShowsLines(const Thinker& t) { return CallerWantsLines() && !(t.stop && t.aborted); }

void LogIteration(const Thinker& t) {
  // The log keeps the hash figures of its format: no table, no entries.
  char text[160];
  std::snprintf(text, sizeof text,
                "Ply %d  How long: %d, Time used: %d Hash count 0  Hash Table 1 Branch factor %d",
                t.nominalDepth, t.allocatedTime, ElapsedCentiseconds(t), t.branchFactor);
  LogLine("Think", text);
}

}  // namespace

void ChooseRootLine(Thinker& t) {
  if (t.pvLength[0] != 0 && t.rootMoveCount / 2 <= t.rootMovesLeft) return;
  if (t.prevPvLength <= 0) return;
  std::copy(t.prevPv, t.prevPv + t.prevPvLength, t.pvTable[0]);
  t.pvLength[0] = t.prevPvLength;
  t.rootLineDepth = t.prevPvDepth;
}

AspirationOutcome JudgeAspiration(int v, int s, int w) {
  if (v >= s + w) return AspirationOutcome::kFailedHigh;
  if (v <= s - w) return AspirationOutcome::kFailedLow;
  return AspirationOutcome::kNotFailed;
}

int NextBranchFactor(int elapsed, int lastIterationTime, int branchFactor) {
  if (elapsed == 0 || lastIterationTime == 0) return branchFactor;
  int ratio = std::min(elapsed / lastIterationTime, kInitialBranchFactor);
  return (ratio + branchFactor) / 2;
}

bool ForecastStops(int branchFactor, int elapsed, int allocatedTime) {
  return static_cast<long long>(branchFactor) * elapsed > allocatedTime;
}

int DeepestIteration(SearchKind kind) { return kind == SearchKind::kFull ? kFullDepthLimit : kDepthLimit; }

void Think(SearchResult& result, int budget, int depthLimit, const SearchDeadlines& deadlines) {
  Thinker& t = thinker;
  if (t.kind == SearchKind::kFull) {
    ThinkFull(result, budget, depthLimit, deadlines);
    return;
  }
  PrepareSearch(t, budget, deadlines);

  LogLine("Think", "HashCleaned: 0");
  position.GameStage = DecideGameStage(position);
  LogThink("GameStage: %d", position.GameStage);
  std::memset(position.History, 0, sizeof position.History);

  int v = 0;  // value of the last root search
  int e = 0;  // centiseconds at the end of the last iteration
  t.nominalDepth = 1;
  while (!t.stop) {
    t.followPv = true;
    t.rootLineDepth = t.nominalDepth;
    bool allowNull = position.GameStage != kLateEnding;
    v = SearchIteration(t, allowNull);
    t.lastScore = v;
    if (ShowsLines(t)) PrintThinking(true);
    if (!t.stop) {
      std::copy(t.pvTable[0], t.pvTable[0] + t.pvLength[0], t.prevPv);
      t.prevPvLength = t.pvLength[0];
      t.prevPvDepth = t.nominalDepth;
    }
    e = ElapsedCentiseconds(t);
    t.branchFactor = NextBranchFactor(e, t.lastIterationTime, t.branchFactor);
    LogIteration(t);
    if (ForecastStops(t.branchFactor, e, t.allocatedTime)) break;
    if (t.softDeadline.set && t.softDeadline.Passed(t.clock())) break;
    t.lastIterationTime = e;
    if (++t.nominalDepth > depthLimit) break;
  }

  if (t.stop) ChooseRootLine(t);
  if (ShowsLines(t)) PrintThinking(false);
  LogThink("Time used: %d", e);
  char text[96];
  std::snprintf(text, sizeof text, "Actual Max depth: %d,   Nominal depth: %d", t.maxPly, t.nominalDepth);
  LogLine("Think", text);

  result.move = t.pvTable[0][0].move;
  if (t.stop && IsMove(result.move) && t.pvLength[0] > 0) {
    // The stopped iteration's value is that of an unfinished search; the
    // line kept has its own score (a mate found earlier stays a mate).
    result.score = t.pvTable[0][0].score;
  } else if (v == -kInfinity) {
    result.score = t.pvTable[0][0].score;
  } else {
    t.pvTable[0][0].score = v;
    result.score = v;
  }
}

}  // namespace morvi
