// The heartbeat: every heartbeatMask + 1 nodes the search offers the oldest
// queued command to the in-search handler, acts on its verdict, and checks
// the clock against the budget. Its only way to end the search is to set the
// Thinker's stop flag.
#pragma once

#include <cstdint>

namespace morvi {

// Tree-search form: the thinking line first (post mode, only if the root
// line changed), then the queue and the clock.
void HeartbeatInSearch();

// Quiescence form: the queue and the clock only.
void HeartbeatInQuiesce();

// Acts on a verdict for the head record: removes it, stops the search or
// aborts it, and logs what was done. The command lock must be held.
void ActOnVerdictLocked(int verdict);

// The budget is exhausted at 1.1 times the allocated centiseconds.
bool BudgetExhausted(int elapsedCentiseconds, int allocatedTime);

// The budget ends the search only when it is spent and a root line exists
// to be played; the node limit of a UCI "go nodes" and a planned search's
// hard deadline as soon as any root move does.
void CheckTime();

// True when (nodes AND mask) is 0: the node runs the heartbeat.
inline bool HeartbeatDue(std::int64_t nodes, int mask) { return (nodes & mask) == 0; }

}  // namespace morvi
