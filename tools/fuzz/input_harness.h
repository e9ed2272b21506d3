// The fuzz harness of the input path: one input is one session of command
// lines, read and recognised as the input loop reads and recognises them (in
// UCI when the first line is "uci") and executed on the engine thread's state
// as the engine loop executes them, all on the calling thread, with the
// engine's state made new first so that sessions are independent.
//
// Timing is part of the input: a line that starts with N blanks or tabs
// (which both dialects ignore) arrives while pass N after the last line
// without them runs, so that the search of that pass meets it at its first
// poll; a line without leading blanks arrives when the engine is idle. A line
// longer than the input loop accepts ends the session, as it ends the
// program (in UCI it is skipped, as there).
#pragma once

#include <string>
#include <string_view>

namespace morvi::fuzz {

struct HarnessOptions {
  std::string bookPath;     // the opening book the engine opens; empty: none
  int standStillDepth = 2;  // the searches complete this many iterations
  // Known faults kept out of a fuzzing run until they are mended:
  bool cutLongUciNumbers = false;  // UCI digit runs cut to 18 digits (uci_number_overflow)
  bool allowOverruns = false;      // a search the watchdog stopped is no finding (search_without_root_line)
};

struct SessionResult {
  std::string finding;  // what went wrong; empty when the session was clean
  int records = 0;      // command records executed between passes
  int searches = 0;     // passes that searched or played
};

// The harness's own limits.
inline constexpr int kMaxArrivalPass = 8;    // deeper indentation counts as this
inline constexpr int kPassesToSettle = 6;    // busy passes allowed after the last arrival

// Runs one session. A finding is a failed board audit after a record or a
// pass, a search still running long after its time ran out, or an engine
// that keeps searching with no command arriving.
SessionResult RunSession(std::string_view input, const HarnessOptions& options);

}  // namespace morvi::fuzz
