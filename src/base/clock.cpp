// Monotonic millisecond clock anchored at program start, and calendar seconds.
#include "base/clock.h"

#include <chrono>
#include <ctime>

namespace morvi {
namespace {
const std::chrono::steady_clock::time_point programStart = std::chrono::steady_clock::now();
}

TimeMs ClockMs() {
  auto elapsed = std::chrono::steady_clock::now() - programStart;
  return static_cast<TimeMs>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

long long CalendarSeconds() { return static_cast<long long>(std::time(nullptr)); }

}  // namespace morvi
