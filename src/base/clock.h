// The engine's clock: milliseconds since the program started, from a monotonic
// source, and calendar seconds for log stamps. CPU-time clocks are never used,
// since with two threads they run faster than the wall.
#pragma once

namespace morvi {

// Milliseconds elapsed since program start (monotonic, wraps after ~24 days).
int ClockMs();

// Calendar time in whole seconds since 1970-01-01 UTC.
long long CalendarSeconds();

}  // namespace morvi
