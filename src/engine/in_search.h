// What the search asks of the engine controller while it runs: a verdict on
// the oldest queued command, and how many nodes may pass between two polls of
// the queue and the clock.
#pragma once

#include "frontend/command.h"

namespace morvi {

// Verdicts on the record at the head of the queue.
constexpr int kVerdictContinue = 1;  // handled; the record is consumed, the search goes on
constexpr int kVerdictWrapUp = 2;    // handled; the record is consumed, play the best move now
constexpr int kVerdictAbort = 3;     // not handled here; stop and leave the record queued

// The most nodes between two polls: the start-up calibration times cheap
// evaluations and would let several tenths of a second pass between polls;
// 2048 search nodes take about a millisecond here (two milliseconds at the
// slowest measured rate), so commands and the clock are seen in time. One
// less than a power of two.
constexpr int kPollMaskCap = (1 << 11) - 1;

// Called by the heartbeat with the command lock held; the record stays in the
// queue during the call.
int HandleCommandInSearch(CommandRecord& record);

}  // namespace morvi
