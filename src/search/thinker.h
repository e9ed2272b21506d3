// The search state that outlives a single node: the Thinker (principal
// variations, the stop flag, the clock and budget of the running search, the
// iteration bookkeeping) and the program-wide search counters. One instance
// of each, owned by the engine thread.
#pragma once

#include <cstdint>

#include "base/clock.h"
#include "board/move.h"
#include "search/search_host.h"

namespace morvi {

// Score scale: 1024 to a pawn.
constexpr int kInfinity = 1000000;       // the widest window bound
constexpr int kMateBase = 103424;        // mated at ply p scores 1024 * p - kMateBase
constexpr int kDepthLimit = 12;          // deepest nominal iteration
constexpr int kInitialBranchFactor = 12;  // also the cap on a measured ratio
constexpr int kPvMoveScore = 9999999;    // ordering score of the previous iteration's move

// The most nodes between two polls: the start-up calibration times cheap
// evaluations and would let several tenths of a second pass between polls;
// 2048 search nodes take about a millisecond here (two milliseconds at the
// slowest measured rate), so commands and the clock are seen in time. One
// less than a power of two.
constexpr int kPollMaskCap = (1 << 11) - 1;

constexpr int MatedScore(int ply) { return 1024 * ply - kMateBase; }

// A mate further away than this many plies is shown as a score.
constexpr int kLongestShownMate = 50;

// A mate score as moves: true when the score mates within kLongestShownMate
// plies, with `moves` the moves to the mate: positive when the side to move
// mates, zero or negative (minus the moves) when it is mated.
constexpr bool MateMoves(int score, int& moves) {
  const int distance = score > 0 ? kMateBase - score : kMateBase + score;  // plies * 1024
  if (distance < 0 || distance % 1024 != 0 || distance / 1024 > kLongestShownMate) return false;
  const int plies = distance / 1024;
  moves = score > 0 ? (plies + 1) / 2 : -(plies / 2);
  return true;
}

// Which search runs: the engine's own design ("classic"), node for node as
// it always was, or the full-strength search beside it.
enum class SearchKind { kClassic, kFull };

struct PvEntry {
  Move move;
  int score;
};

// The most lines a search shows at once (the MultiPV option).
constexpr int kMaxMultiPv = 64;

// One of the lines of a search that shows several: its moves, their score,
// and the iteration that found it.
struct SearchLine {
  PvEntry moves[kMaxPly];
  int length = 0;
  int score = 0;
  int depth = 0;
};

// A point on the search's clock after which the search acts; unset: never.
struct Deadline {
  bool set = false;
  TimeMs at = 0;
  bool Passed(TimeMs now) const { return set && now >= at; }
};

// The deadlines of a planned search, in milliseconds from a given moment:
// past the soft one no iteration is begun, at the hard one the search stops
// (once it has a move). -1: none. A search without them runs on its budget.
struct SearchDeadlines {
  int softMs = -1;
  int hardMs = -1;
};

struct Thinker {
  Move ponderMove;         // the opponent's expected reply, played for pondering
  UndoRecord ponderUndo;   // its undo record
  int lastScore;           // last root value; centre of the next aspiration window
  int rootMovesLeft;       // root moves still to search after the current one
  int rootMoveCount;       // moves generated at the root
  PvEntry pvTable[kMaxPly][kMaxPly];  // triangular: row p holds entries p .. pvLength[p]-1
  int pvLength[kMaxPly];
  PvEntry prevPv[kMaxPly];  // root line of the last completed iteration
  int prevPvLength;         // -1 before the first iteration completes
  int prevPvDepth;          // the depth of that iteration
  int lastIterationTime;    // centiseconds from the start to the end of the last iteration
  PvEntry printedPv[kMaxPly];  // root line as last printed
  int printedPvLength;
  bool stop;              // unwind now
  bool aborted;           // ... for good: the caller will not play the result
  TimeMs startClock;      // when Think began
  int allocatedTime;      // budget in centiseconds
  int maxPly;             // deepest ply entered
  int nominalDepth;       // depth of the current iteration
  int branchFactor;       // running estimate of the time growth per iteration
  bool followPv;          // put the previous iteration's move first at each ply
  int rootLineDepth;      // the iteration that found the line in row 0
  Deadline softDeadline;  // a planned search begins no iteration past it
  Deadline hardDeadline;  // ... and stops at it

  // Poll interval of the heartbeat (one less than a power of two); the engine
  // start sets it from its calibration.
  int heartbeatMask = kPollMaskCap;
  // The root moves a search may play (rootFilterCount 0: every one).
  Move rootFilter[kMaxMovesPerPosition];
  int rootFilterCount = 0;
  // Nodes after which the search ends once it has a move (0: no limit).
  std::int64_t nodeLimit = 0;
  // The clock the search reads, in milliseconds; tests put a scripted one here.
  TimeMs (*clock)() = ClockMs;
  // The caller the heartbeat polls and the lines go to (none: the search is
  // never interrupted and shows no lines).
  SearchHost* host = nullptr;
  // The search that runs, and whether it goes on until it is stopped even
  // once a mate is proven (pondering on a predicted move: the move may still
  // come, and the search must be there for it).
  SearchKind kind = SearchKind::kClassic;
  bool untilStopped = false;
  // The full search's lines: how many the caller wants (1: row 0 alone),
  // and, when it wants more, the best ones of the last iteration, best
  // first (row 0 then holds the first).
  int multiPv = 1;
  SearchLine lines[kMaxMultiPv];
  int lineCount = 0;
  // The strength level a move is played at (0: full strength); analysis
  // never has one.
  int levelElo = 0;
  // The root lines the running search looks for: the caller's, or more when
  // its level weighs several (only the caller's are shown).
  int rootLines = 1;
  // The caller stopped the search (a command), not its own limits.
  bool stoppedByCaller = false;
};

// The one search state of the engine thread.
extern Thinker thinker;

// Program-wide counters of one pass of the engine loop. 64-bit: at two
// million nodes a second an analysis passes 2^31 nodes in under twenty minutes.
using Counter = std::int64_t;
struct SearchCounters {
  Counter nodes;          // Search and Quiesce entries
  Counter movesSearched;  // legal moves searched by Search
  Counter expandedNodes;  // Search nodes that generated at least one move
  Counter QSkips;         // quiescence-probe cutoffs
  Counter NullSkips;      // null-move cutoffs
};

extern SearchCounters searchCounters;

// The Thinker and the counters as the program starts them: no lines, no
// caller, the real clock, the widest poll interval.
void ClearSearchState();

// Start of a pass: every counter 0 except expandedNodes, which is 1 so that the
// average moves per node never divides by zero.
void ResetSearchCounters();

// Clears every principal-variation row and the printed line: every entry
// kNoMove (no line yet).
void ClearLines(Thinker& t);

// At program start and engine initialisation: lastScore from the Complete
// evaluation of the current position, stop cleared, lines cleared.
void ResetThinker();

// Sets the running search's deadlines, counted from the clock's moment `from`.
void SetDeadlines(Thinker& t, const SearchDeadlines& deadlines, TimeMs from);

// The search has a line to play: the current iteration's or the last
// completed one's.
inline bool HasRootLine(const Thinker& t) { return t.prevPvLength > 0 || t.pvLength[0] > 0; }

// The search has a move to play: a line, or a root move an iteration chose
// and ended without a line for (a re-search that scored no move leaves the
// row empty but its first entry holding that move).
inline bool HasRootMove(const Thinker& t) { return HasRootLine(t) || IsMove(t.pvTable[0][0].move); }

// Centiseconds since the running search started, truncated.
inline int ElapsedCentiseconds(const Thinker& t) { return static_cast<int>((t.clock() - t.startClock) / 10); }

}  // namespace morvi
