// The heartbeat: every heartbeatMask + 1 nodes the search polls its caller
// (which acts on its queued commands and answers go on, wrap up or abort)
// and checks the clock against the budget. Its only way to end the search is
// to set the Thinker's stop flag.
#pragma once

#include <cstdint>

#include "board/move.h"

namespace morvi {

struct Thinker;

// Tree-search form: the thinking line first (when the caller wants lines,
// and only if the root line changed), then the poll and the clock.
void HeartbeatInSearch();

// Quiescence form: the poll and the clock only.
void HeartbeatInQuiesce();

// Asks the caller and acts on its answer: wrap up stops, abort stops and
// marks the search aborted.
void PollCaller();

// True when the caller wants thinking lines (a search without one never does).
bool CallerWantsLines();

// Tells a caller that wants lines which root move the search takes up, once
// the search has run a second.
void ReportRootMove(const Thinker& t, Move move, int number);

// The budget is exhausted at 1.1 times the allocated centiseconds.
bool BudgetExhausted(int elapsedCentiseconds, int allocatedTime);

// The budget ends the search only when it is spent and a root line exists
// to be played; a node limit and a planned search's hard deadline as soon as
// any root move does.
void CheckTime();

// True when (nodes AND mask) is 0: the node runs the heartbeat.
// The poll interval for a search of at most `nodes` nodes: the heartbeat's
// mask, made small enough that the search ends within a sixteenth of the
// count past it.
int NodeLimitMask(long long nodes, int mask);

inline bool HeartbeatDue(std::int64_t nodes, int mask) { return (nodes & mask) == 0; }

}  // namespace morvi
