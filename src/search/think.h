// Iterative deepening: Think searches the position at nominal depths 1, 2,
// 3 ... each inside an aspiration window around the previous value, until the
// heartbeat stops it, the forecast says the next depth cannot finish within
// the budget, or the depth limit is done. The arithmetic of the windows and
// of the forecast is exposed for tests.
#pragma once

#include "search/thinker.h"

namespace morvi {

// A search's or book probe's move (kNoMove: none) and its score.
struct SearchResult {
  Move move = kNoMove;
  int score = 0;
};

// True when the result carries a move.
constexpr bool HasMove(const SearchResult& result) { return IsMove(result.move); }

// The deepest iteration each search goes to.
int DeepestIteration(SearchKind kind);

// Fills result with the best move and its score; leaves the line in row 0 of
// the PV table, with the search the Thinker names. budget is in centiseconds;
// depthLimit is at most DeepestIteration. A planned search also ends by its
// deadlines, counted from its start.
void Think(SearchResult& result, int budget, int depthLimit = kDepthLimit, const SearchDeadlines& deadlines = {});

// The resets every search starts with: a new search for the table, no
// lines, the stop cleared, the clock started, the budget and deadlines set,
// no iteration done yet.
void PrepareSearch(Thinker& t, int budget, const SearchDeadlines& deadlines);

enum class AspirationOutcome { kFailedHigh, kNotFailed, kFailedLow };

// Where value v fell against the window (s - w, s + w).
AspirationOutcome JudgeAspiration(int v, int s, int w);

// The running branch factor after an iteration that ended elapsed
// centiseconds into the search, the previous one having ended at
// lastIterationTime: unchanged when either is 0, else the mean of the old
// factor and the measured ratio (at most 12), both halved by integer division.
int NextBranchFactor(int elapsed, int lastIterationTime, int branchFactor);

// True when branchFactor times the time used so far exceeds the budget: the
// next iteration is not begun.
bool ForecastStops(int branchFactor, int elapsed, int allocatedTime);

// After a stop: the interrupted iteration's line stands if it has one and at
// least half the root moves were still to come; otherwise the last completed
// iteration's line (if any) is put back into row 0, with its depth.
void ChooseRootLine(Thinker& t);

}  // namespace morvi
