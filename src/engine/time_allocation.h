// How long the engine may think on its next move: the allocation from the
// clocks and the time control, and the limit actually handed to the search,
// which never lets a move (with the search's overrun, the poll interval and
// the pipe's latency) take the time of the moves still due before the next
// control.
#pragma once

#include "engine/engine_state.h"
#include "search/thinker.h"

namespace morvi {

// What one move costs beyond 1.1 times its search limit, at worst, measured
// on this machine: the poll interval, the centisecond rounding of the time
// check, unwinding the search, writing the move and the latency of the pipe
// and of the scheduler. Every move still due is given at least this much.
constexpr int kMoveOverheadMs = 60;

// The allocation in centiseconds for the state's clocks and control (0 for a
// negative clock); may rewrite baseTime and movesPerControl (the 30,000-minute
// control) and logs the "Allocated time" line.
int AllocateTime(EngineState& state, int oppTimeAdv);
// AllocateTime on the engine's own state and configuration.
int AllocateTime();

// Moves the engine still has to make before its clock is next refilled by a
// control, this one included: with "level 40 ..." 2 at move 39, 1 at move 40
// and 40 at move 41; in a game without controls the allocation's own estimate
// of the moves to come.
int MovesDue(const EngineState& state);

// The allocation cut to what the clock can bear: the search may run to 1.1
// times the limit and then cost kMoveOverheadMs more; every later move due
// before the next control keeps kMoveOverheadMs less what its increment
// brings back. Centiseconds, never negative.
int SafeLimit(const EngineState& state, int allocation);

// The limit less the time since the command that gave the engine its turn
// was queued (the opponent's clock stopped then, the engine's started): time
// spent before the search begins (a new game's calibration, a search that had
// to be stopped first) is time of this move. Centiseconds, never negative; a
// queue time of -1 (not known) takes nothing off.
int LessTimeWaited(int limit, TimeMs queuedAtMs, TimeMs nowMs);

// The limit for the engine's own search: AllocateTime, made safe, less the
// time the command that gave the engine its turn has waited.
int ThinkLimit();

// Under "st": the move's deadlines, the time per move less kMoveOverheadMs
// (soft and hard alike, so the search takes about the whole time and never
// more), less the time since the command queued at queuedAtMs (-1: not known).
SearchDeadlines MoveTimeDeadlines(const EngineState& state, TimeMs queuedAtMs, TimeMs nowMs);

// Under the full search, the xboard clocks planned as UCI plans a clock: the
// engine's clock ("time", else the level's base), its increment, and the
// moves still due before the next control (none without controls: sudden
// death), less the time since the command queued at queuedAtMs (-1: not
// known). A clock that has run out gives a plan of nothing: the move at once.
SearchDeadlines XboardClockDeadlines(const EngineState& state, TimeMs queuedAtMs, TimeMs nowMs);

// The deepest iteration of the engine's own and ponder searches: the "sd"
// limit when one is set, else the search's own.
int SearchDepthLimit(const EngineState& state);

}  // namespace morvi
