// A new game for the engine: its state, the search state, the board, the
// book, and the heartbeat calibration that measures this machine's speed.
#pragma once

#include "base/clock.h"

namespace morvi {

// Every object of the engine thread as the program starts it: the position
// and the move stack, the search state with the engine as the search's
// caller, the evaluation's counters, the engine state, no book open, both
// sessions as new. The engine thread, the fuzz harness and the test fixtures
// all start from here (the dialect, shared with the input thread, is not
// touched).
void ResetEngineThread();

// The transposition table at the configuration's size (Hash, megabytes),
// between searches only; a size that cannot be had leaves no table.
void SizeTableToConfiguration();

// Run at the engine thread's start and for every "new" (and "ucinewgame");
// calibrates the heartbeat the first time only.
void InitEngine();

// Measures the machine on the position on the board (which it leaves as it
// was) and keeps the mask for every later InitEngine.
void CalibrateHeartbeat(TimeMs (*clock)());

// The mask for raw evaluations counted in the calibration's 30 centiseconds:
// half the smallest power of two not below raw, less one (640 gives 511).
int HeartbeatMaskFor(int raw);

// Evaluates the moves of the position over and over until, at a multiple of
// 64 evaluations, 30 centiseconds of the clock have passed; returns the count.
int CalibrationCount(TimeMs (*clock)());

// The calibrated mask (the search polls at least as
// often, see kPollMaskCap).
int CalibratedHeartbeatMask();

}  // namespace morvi
