// The engine's clock: milliseconds since the program started, from a monotonic
// source, and calendar seconds for log stamps. CPU-time clocks are never used,
// since with two threads they run faster than the wall.
#pragma once

#include <cstdint>

namespace morvi {

// A moment or a span on the engine's clock, in milliseconds: 64 bits, so
// that no uptime and no sum of a moment and a time a GUI sends can overflow.
using TimeMs = std::int64_t;

// Milliseconds elapsed since program start (monotonic).
TimeMs ClockMs();

// Calendar time in whole seconds since 1970-01-01 UTC.
long long CalendarSeconds();

}  // namespace morvi
