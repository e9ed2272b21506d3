// How long a UCI "go" may search: a plan with a soft limit (no iteration is
// begun past it) and a hard limit (the search is stopped there), both in
// milliseconds from the moment the "go" (or its "ponderhit") arrived. The
// xboard dialect keeps its own allocation; only its fixed time per move
// ("st") is planned as a movetime is.
#pragma once

#include "board/colour.h"
#include "engine/command.h"
#include "search/thinker.h"

namespace morvi {

// A "go" with no limit of its own for the side to move (no clock of its
// own, no movetime, depth, nodes, mate, infinite or ponder) searches about a
// second, three at most.
constexpr int kDefaultSoftMs = 1000;
constexpr int kDefaultHardMs = 3000;

// The least kept back from a movetime or a clock, whatever the Move Overhead
// says: the search stops at its first poll past the hard limit, which costs
// up to a couple of milliseconds, and the move must then be written.
constexpr int kLeastKeptBackMs = 5;

// In sudden death the plan counts on this many moves still to come.
constexpr int kSuddenDeathMoves = 30;

// The plan for the side to move: no limits (-1) for "infinite" and "ponder"
// (a ponder search is planned again at its "ponderhit"), and for a search
// bounded by depth, nodes or mate alone.
SearchDeadlines PlanUciTime(const GoArguments& go, Colour sideToMove, int moveOverheadMs);

// The plan for a fixed move time: the time less what is kept back, soft and
// hard alike.
SearchDeadlines MoveTimePlan(int moveTimeMs, int moveOverheadMs);

// The plan for a clock: the move's share is 1/moves-to-go of the usable time
// (the clock less what is kept back; 1/30 in sudden death) plus three
// quarters of the increment. The soft limit is three fifths of the share,
// the hard limit twice the share, but never more than a quarter of the
// usable time (up to four fifths when the control ends within the next few
// moves).
SearchDeadlines ClockPlan(int timeMs, int incrementMs, int movesToGo, int moveOverheadMs);

// The plan less the time already gone since it began (never below 0).
SearchDeadlines LessElapsed(const SearchDeadlines& plan, TimeMs elapsedMs);

}  // namespace morvi
