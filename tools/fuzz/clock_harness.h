// The search clock of the fuzz harness: a deterministic stand-in for the
// millisecond clock that keeps every search short. While commands are
// executed it moves on a second at each reading, so the calibration of a new
// game ends at its first look; during a pass of the engine loop it stands
// still for the iterations up to a chosen depth (or a number of readings)
// and then leaps, so a search stops at its first poll after that depth,
// whatever its budget. It is the watchdog of the pass too: a search that goes
// on for many nodes after its time ran out is stopped, and that is reported.
#pragma once

#include "base/clock.h"

namespace morvi::fuzz {

enum class ClockPhase { Commands, Pass };

// Starts the clock again at 0 for the phase; in the Pass phase it stands
// still while the search's nominal depth is at most standStillDepth.
void RestartHarnessClock(ClockPhase phase, int standStillDepth);

// The reading given to the engine through thinker.clock: never negative,
// never past the 32-bit range.
TimeMs ReadHarnessClock();

// True when a search of this pass went on for kOverrunReadings readings
// after the clock leapt and was stopped by the watchdog.
bool HarnessClockOverran();

// Readings (about one a node) before the clock leaps whatever the depth, and
// after the leap before the watchdog stops the search.
inline constexpr int kStandStillReadings = 100000;
inline constexpr int kOverrunReadings = 500000;

}  // namespace morvi::fuzz
