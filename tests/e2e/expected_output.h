// What the engine writes, kept in one place for every end-to-end test: the
// start-up text, the prompt, the farewell, and helpers that build the
// expected output of a console session.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "support/child_process.h"

namespace morvi::e2e {

// Written by the main thread at start-up, up to and including "Engine started".
inline constexpr std::string_view kStartText =
    "\nWelcome to Morvi\n Version (1.19c) \n (Enter HELP  to see commands)\n\nEngine started\n";
// The engine thread's own line at its start. Tests remove it from the output
// wherever the thread's timing puts it (see Normalised), or wait for it.
inline constexpr std::string_view kEngineBanner = "\ntelluser Morvi V(1.19c)\n";
// The engine thread's last line, at "quit".
inline constexpr std::string_view kByeBye = "Engine: Bye-bye 5 ****************\n";

inline constexpr std::string_view kPrompt = "Morvi >  ";
inline constexpr std::string_view kFarewell = "Thanks for playing - see you soon!\n\n";
inline constexpr std::string_view kHelpText =
    "Note: All commands are  upper or lower case\n"
    "Help - It produces this output of all legal commands\n"
    "Quit or Exit or Bye - Exits the program\n"
    "d - display board \nanalyze\nbk\nblack\ndraw\neasy\nedit\nexit\nforce\nfritz\ngo\nhard\n"
    "hint\nlevel\nname\nnew\nnopost\notim\nponder\npost\nrandom\nrating\nremove\ntime\nundo\n"
    "white\nxboard\n"
    "moves in format e2e4\n";

// The engine thread's answers that tests compare often.
inline constexpr std::string_view kBookAnswer =
    "\tHey buster - play on and stop asking questions\n\tthis is not training program\n\n";
inline constexpr std::string_view kNotFound = "Illegal Move: Could not find it in our generated move list\n";
inline constexpr std::string_view kNotMade = "Illegal Move: Could not make it\n";
inline constexpr std::string_view kUnplayable = "Error (Illegal position - the engine cannot play it)\n";
// The three statistics lines after an engine move or a result, as Skeleton
// writes them.
inline constexpr std::string_view kStats =
    "Score: *\nEvaluations Complete/Medium/Fast: *\nQSkips/StaticSkips/NullSkips: *\n";

// The unknown-command answer to a line (left-trimmed, as typed).
inline std::string Unknown(std::string_view line) {
  return "Error  (unknown command) : " + std::string(line) + "\n";
}

// kStartText followed by the given text.
inline std::string AfterStart(std::string_view text) {
  return std::string(kStartText) + std::string(text);
}

// The output with the engine thread's banner taken out once.
inline std::string Normalised(std::string out) {
  if (!kEngineBanner.empty()) {
    size_t at = out.find(kEngineBanner);
    if (at != std::string::npos) out.erase(at, kEngineBanner.size());
  }
  return out;
}

// The output without the console prompts (a prompt can come anywhere in the
// engine thread's output, even between the squares of a printed board).
std::string WithoutPrompts(std::string out);

// True for a well-formed thinking line (without its line end):
// " depth score centiseconds nodes move move ... ".
bool IsThinkingLine(std::string_view line);

// The output with its search-dependent lines made comparable: thinking lines
// are dropped, and each well-formed statistics line (and status line) is cut
// to its first words and "*" (see kStats). Malformed lines stay as they are.
std::string Skeleton(const std::string& out);

// The thinking lines of the output from offset `from` on, in order.
std::vector<std::string> ThinkingLines(const std::string& out, size_t from = 0);

// The moves of a thinking line, in order.
std::vector<std::string> LineMoves(const std::string& line);

// The engine's move lines ("12. ... e7e5") from offset `from` on.
std::vector<std::string> MoveLines(const std::string& out, size_t from = 0);

// How often the text occurs in the string.
size_t CountOf(std::string_view text, std::string_view part);

// Log text with every record's time stamp replaced by "[T]".
std::string MaskStamps(const std::string& log);

// The records of the masked log whose category is one of the given ones, in
// order, each starting with its "[T]" (a record without a line end ends where
// the next one starts).
std::string RecordsOf(const std::string& log, std::initializer_list<std::string_view> categories);
// The main thread's records: "Main-in" and "Main-out".
inline std::string MainRecords(const std::string& log) { return RecordsOf(log, {"Main-in", "Main-out"}); }

// A copy of the built engine in its own folder, with an optional profile and
// an optional opening book.
class EngineInstall {
 public:
  // A book (the text of morvi.book) makes the engine's first moves known.
  explicit EngineInstall(std::string_view profile = {}, std::string_view book = {});
  test_support::RunResult Run(std::string_view input) const;
  const std::string& Exe() const { return exe_; }
  const test_support::TempDir& Dir() const { return dir_; }
  // The debug log written so far (the profile must name it morvi.log).
  std::string Log() const { return dir_.Read("morvi.log"); }
  // Waits (reading the child's output meanwhile) until the debug log holds
  // the text at least `count` times.
  bool WaitForLog(test_support::ChildProcess& child, std::string_view text, size_t count = 1) const;

 private:
  test_support::TempDir dir_;
  std::string exe_;
};

// The profile that turns the debug log on.
inline constexpr std::string_view kLogProfile = "[Main]\nDebugFile=morvi.log\n";

}  // namespace morvi::e2e
