// Recognition of the second version's commands by their first word.
#include "frontend/protocol2_reader.h"

#include <array>
#include <memory>
#include <sstream>

#include "base/console.h"
#include "base/text_scan.h"
#include "base/user_texts.h"
#include "engine/command_queue.h"
#include "engine/engine_options.h"
#include "engine/session.h"
#include "frontend/parsers.h"

namespace morvi {
namespace {

constexpr std::string_view kBlanks = " \t";

// Commands the engine needs nothing of: the GUI's answers to the features,
// resources it has no use for, and "random", which xboard sends before
// every game (the evaluation's random term is the RandomTerm option here).
constexpr std::array<std::string_view, 6> kSilent = {"accepted", "rejected", "computer",
                                                     "ics",      "egtpath",  "random"};

// The longest number of seconds "st" takes: a day.
constexpr int kLongestMoveSeconds = 86400;

std::string_view FirstWord(std::string_view command) { return command.substr(0, command.find_first_of(kBlanks)); }

// What follows the first word, without blanks at either end.
std::string Argument(std::string_view text, std::string_view word) {
  std::string rest = LeftTrim(text.substr(word.size()));
  const size_t last = rest.find_last_not_of(kBlanks);
  rest.resize(last == std::string::npos ? 0 : last + 1);
  return rest;
}

void Post(CommandId id, int number, std::string argument) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  record->number = number;
  record->argument = std::move(argument);
  PostCommand(std::move(record));
}

// "sd N" and "memory N": a whole number, not negative.
bool PostCount(CommandId id, const std::string& argument) {
  int number = 0;
  if (!ReadWholeNumber(argument, number) || number < 0) return false;
  Post(id, number, {});
  return true;
}

// "time N" and "otim N": centiseconds, negative for a clock that has run out.
bool PostClock(CommandId id, const std::string& argument) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  if (!ReadWholeNumber(argument, record->clockValue)) return false;
  PostCommand(std::move(record));
  return true;
}

// "level MPS BASE INC": BASE in minutes or MINUTES:SECONDS, INC in seconds
// with a fraction allowed ("level 0 1 0.5").
bool PostLevel(const std::string& argument) {
  std::istringstream words(argument);
  std::string moves, base, increment, more;
  if (!(words >> moves >> base >> increment) || (words >> more)) return false;
  auto record = std::make_unique<CommandRecord>();
  record->id = CommandId::kLevel;
  int minutes = 0;
  int seconds = 0;
  if (!ReadWholeNumber(moves, record->levelMoves) || record->levelMoves < 0) return false;
  if (base.find_first_not_of(kClockChars) != std::string::npos || ScanIntColonInt(base, minutes, seconds) < 1) {
    return false;
  }
  if (!ReadSeconds(increment, record->levelIncrementMs)) return false;
  record->levelBase = ClampToInt(static_cast<long long>(minutes) * 60 + seconds);
  record->levelIncrement = record->levelIncrementMs / 1000;
  PostCommand(std::move(record));
  return true;
}

// "usermove M": a move the form of which is no move is refused here.
void PostUserMove(const std::string& move) {
  if (ParseMove(CommandId::kUserMove, LowerCase(move))) return;
  ConsoleWrite(std::string(UserText(TEXT_ILLEGAL_MOVE)) + ": " + move + "\n");
}

}  // namespace

bool ReadSeconds(std::string_view text, int& milliseconds) {
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return false;
  if (whole.find_first_not_of(kDigits) != std::string_view::npos ||
      fraction.find_first_not_of(kDigits) != std::string_view::npos) {
    return false;
  }
  long long ms = 0;
  for (char c : whole) {
    ms = ms * 10 + (c - '0');
    if (ms > kLongestMoveSeconds) return false;
  }
  ms *= 1000;
  long long scale = 100;
  for (size_t i = 0; i < fraction.size() && scale > 0; ++i, scale /= 10) ms += (fraction[i] - '0') * scale;
  milliseconds = static_cast<int>(ms);
  return true;
}

bool RecognizeProtover(const FrontEndState& state, const std::string& command) {
  if (state.consoleMode || ActiveDialect() == Dialect::kUci || FirstWord(command) != "protover") return false;
  int version = 0;
  if (!ReadWholeNumber(Argument(command, "protover"), version) || version < 2) return false;
  ConsoleWrite(state.features);
  SelectDialect(Dialect::kXboard2);
  Post(CommandId::kProtover, version, {});
  return true;
}

bool RecognizeProtocol2(const std::string& command, std::string_view line) {
  const std::string_view word = FirstWord(command);
  const std::string argument = Argument(line, word);
  if (word == "ping") {
    if (argument.empty()) return false;
    Post(CommandId::kPing, 0, argument);
  } else if (word == "setboard") {
    Post(CommandId::kSetboard, 0, argument);
  } else if (word == "usermove") {
    PostUserMove(argument);
  } else if (word == "level") {
    return PostLevel(argument);
  } else if (word == "time" || word == "otim") {
    return PostClock(word == "time" ? CommandId::kTime : CommandId::kOtim, argument);
  } else if (word == "st") {
    int ms = 0;
    if (!ReadSeconds(argument, ms)) return false;
    Post(CommandId::kSt, ms, {});
  } else if (word == "sd") {
    return PostCount(CommandId::kSd, argument);
  } else if (word == "memory") {
    return PostCount(CommandId::kMemory, argument);
  } else if (word == "cores") {
    return PostCount(CommandId::kCores, argument);
  } else if (word == "option") {
    if (argument.empty()) return false;
    Post(CommandId::kOption, 0, argument);
  } else if (word == "ponder" && (LowerCase(argument) == "off" || LowerCase(argument) == "on")) {
    QueueCommand(LowerCase(argument) == "off" ? CommandId::kEasy : CommandId::kHard);
  } else {
    for (std::string_view silent : kSilent) {
      if (word == silent) return true;
    }
    return false;
  }
  return true;
}

}  // namespace morvi
