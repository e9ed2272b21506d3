// The recognition sequence, step by step in its fixed order.
#include "frontend/recognizer.h"

#include <array>
#include <string>

#include "frontend/command_queue.h"
#include "base/console.h"
#include "frontend/parsers.h"
#include "base/text_scan.h"

namespace morvi {

namespace {

struct ExactKeyword {
  std::string_view keyword;
  int id;
};

// Keywords that match the whole command text and queue a record without
// arguments (after "quit", "bye", "d", "help", "xboard" and "fritz").
constexpr std::array<ExactKeyword, 18> kExactKeywords = {{
    {"new", CMD_NEW},       {"random", CMD_RANDOM}, {"force", CMD_FORCE},
    {"white", CMD_WHITE},   {"black", CMD_BLACK},   {"go", CMD_GO},
    {"?", CMD_MOVE_NOW},    {"draw", CMD_DRAW},     {"hint", CMD_HINT},
    {"bk", CMD_BOOK},       {"undo", CMD_UNDO},     {"remove", CMD_REMOVE},
    {"hard", CMD_HARD},     {"easy", CMD_EASY},     {"post", CMD_POST},
    {"nopost", CMD_NOPOST}, {"analyze", CMD_ANALYZE}, {"exit", CMD_EXIT},
}};

bool Contains(std::string_view text, std::string_view keyword) {
  return text.find(keyword) != std::string_view::npos;
}

// Steps 1 to 24: whole-text keywords.
bool RecognizeExact(FrontEndState& state, const std::string& command, Recognition& result) {
  result = Recognition::Handled;
  if (command == "quit" || command == "bye") {
    result = Recognition::Quit;
  } else if (command == "d") {
    if (state.consoleMode) QueueCommand(CMD_DISPLAY);
  } else if (command == "help") {
    result = Recognition::Help;
  } else if (command == "xboard") {
    // The answer to "xboard" is a line end that closes the prompt. This thread
    // writes it, before it can answer the next line: xboard's "protover 2"
    // comes at once, and xboard reads its unknown-command answer only at the
    // start of a line (else it waits ten seconds for features).
    state.consoleMode = false;
    ConsoleWrite("\n");
    QueueCommand(CMD_XBOARD);
  } else if (command == "fritz") {
    state.consoleMode = false;
    QueueCommand(CMD_FRITZ);
  } else {
    for (const ExactKeyword& exact : kExactKeywords) {
      if (command == exact.keyword) {
        QueueCommand(exact.id);
        return true;
      }
    }
    if (command != "edit") return false;
    state.editMode = true;
    QueueCommand(CMD_EDIT);
  }
  return true;
}

// Steps 25 to 30: keyword searches, each with its parser.
bool RecognizeWithArguments(const std::string& command, std::string_view line) {
  if (Contains(command, "level") && ParseLevel(command)) return true;
  if ((Contains(command, "time") || Contains(command, "otim")) && ParseClock(command)) return true;
  if (Contains(command, "ponder") && ParsePonder(command)) return true;
  if (Contains(command, "result") && ParseResult(std::string(line))) return true;
  if (Contains(command, "name") && ParseName(std::string(line))) return true;
  return Contains(command, "rating") && ParseRating(command);
}

// Steps 31 to 36: the status or edit-done dot and the edit-mode commands.
bool RecognizeEditCommands(FrontEndState& state, const std::string& command) {
  if (command == ".") {
    if (state.editMode) {
      QueueCommand(CMD_EDIT_DONE);
      state.editMode = false;
    } else {
      QueueCommand(CMD_STATUS);
    }
    return true;
  }
  if (!state.editMode) return false;
  if (command == "c") {
    QueueCommand(CMD_EDIT_COLOUR);
    return true;
  }
  if (command == "#") {
    QueueCommand(CMD_EDIT_CLEAR);
    return true;
  }
  if (Contains(command, "castle") && ParseCastle(command)) return true;
  if (Contains(command, "ep") && ParseEnPassant(command)) return true;
  return ParsePlacement(command);
}

}  // namespace

Recognition RecognizeCommand(FrontEndState& state, std::string_view line) {
  const std::string command = LowerCase(line);
  Recognition result = Recognition::Handled;
  if (RecognizeExact(state, command, result)) return result;
  if (RecognizeWithArguments(command, line)) return Recognition::Handled;
  if (RecognizeEditCommands(state, command)) return Recognition::Handled;
  if (ParseMove(CMD_USER_MOVE, command)) return Recognition::Handled;
  return Recognition::Unknown;
}

}  // namespace morvi
