// The harness clock's readings. The leap is an eighth of the 32-bit range and
// the readings stop at its top: the two readings a pass takes before its
// search resets the depth may leap already, and the clock still has room for
// 1.1 times the largest budget the harness lets through (see
// kClockValueBound in input_harness.cpp).
#include "clock_harness.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "search/thinker.h"

namespace morvi::fuzz {
namespace {

constexpr std::int64_t kTop = std::numeric_limits<int>::max();
constexpr std::int64_t kCommandStepMs = 1000;
constexpr std::int64_t kLeapMs = kTop / 8;

struct HarnessClock {
  std::int64_t now = 0;
  ClockPhase phase = ClockPhase::Commands;
  int standStillDepth = 0;
  int readings = 0;       // in this pass
  int readingsLeapt = 0;  // in this pass, since the clock leapt
  bool overran = false;
};
HarnessClock harnessClock;

bool StandsStill(const HarnessClock& c) {
  return thinker.nominalDepth <= c.standStillDepth && c.readings <= kStandStillReadings;
}

std::int64_t NextStep(HarnessClock& c) {
  if (c.phase == ClockPhase::Commands) return kCommandStepMs;
  ++c.readings;
  if (StandsStill(c)) return 0;
  if (++c.readingsLeapt > kOverrunReadings) {
    c.overran = true;
    thinker.stop = true;  // the watchdog: the search unwinds at once
  }
  return kLeapMs;
}

}  // namespace

void RestartHarnessClock(ClockPhase phase, int standStillDepth) {
  harnessClock = HarnessClock{};
  harnessClock.phase = phase;
  harnessClock.standStillDepth = standStillDepth;
}

bool HarnessClockOverran() { return harnessClock.overran; }

TimeMs ReadHarnessClock() {
  HarnessClock& c = harnessClock;
  c.now = std::min(c.now + NextStep(c), kTop);
  return c.now;
}

}  // namespace morvi::fuzz
