// What the search asks of the engine controller while it runs: a verdict on
// the oldest queued command, and how many nodes pass between two polls of the
// queue. The handler here is a stand-in that leaves every command to the
// engine loop; the controller's own handler replaces it.
#pragma once

#include "frontend/command.h"

namespace morvi {

// Verdicts on the record at the head of the queue.
constexpr int kVerdictContinue = 1;  // handled; the record is consumed, the search goes on
constexpr int kVerdictWrapUp = 2;    // handled; the record is consumed, play the best move now
constexpr int kVerdictAbort = 3;     // not handled here; stop and leave the record queued

// Poll interval mask used until the engine start calibrates one: the search
// looks at the queue and the clock once every 16384 nodes. Always one less
// than a power of two.
constexpr int kStandInHeartbeatMask = (1 << 14) - 1;

// Called by the heartbeat with the command lock held; the record stays in the
// queue during the call.
int HandleCommandInSearch(CommandRecord& record);

}  // namespace morvi
