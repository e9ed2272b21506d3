// The recognition sequence, step by step in its fixed order.
#include "frontend/recognizer.h"

#include <array>
#include <string>

#include "engine/command_queue.h"
#include "engine/session.h"
#include "base/console.h"
#include "frontend/parsers.h"
#include "frontend/protocol2_reader.h"
#include "base/text_scan.h"

namespace morvi {

namespace {

struct ExactKeyword {
  std::string_view keyword;
  CommandId id;
};

// Keywords that match the whole command text and queue a record without
// arguments (after "quit", "bye", "d", "help", "xboard" and "fritz").
constexpr std::array<ExactKeyword, 18> kExactKeywords = {{
    {"new", CommandId::kNew},       {"random", CommandId::kRandom}, {"force", CommandId::kForce},
    {"white", CommandId::kWhite},   {"black", CommandId::kBlack},   {"go", CommandId::kGo},
    {"?", CommandId::kMoveNow},    {"draw", CommandId::kDraw},     {"hint", CommandId::kHint},
    {"bk", CommandId::kBook},       {"undo", CommandId::kUndo},     {"remove", CommandId::kRemove},
    {"hard", CommandId::kHard},     {"easy", CommandId::kEasy},     {"post", CommandId::kPost},
    {"nopost", CommandId::kNopost}, {"analyze", CommandId::kAnalyze}, {"exit", CommandId::kExit},
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
    if (state.consoleMode) QueueCommand(CommandId::kDisplay);
  } else if (command == "help") {
    result = Recognition::Help;
  } else if (command == "xboard") {
    // The answer to "xboard" is a line end that closes the prompt. This thread
    // writes it, before it can answer the next line: xboard's "protover 2"
    // comes at once, and xboard reads its unknown-command answer only at the
    // start of a line (else it waits ten seconds for features).
    state.consoleMode = false;
    ConsoleWrite("\n");
    QueueCommand(CommandId::kXboard);
  } else if (command == "fritz") {
    state.consoleMode = false;
    QueueCommand(CommandId::kFritz);
  } else {
    for (const ExactKeyword& exact : kExactKeywords) {
      if (command == exact.keyword) {
        QueueCommand(exact.id);
        return true;
      }
    }
    if (command != "edit") return false;
    state.editMode = true;
    QueueCommand(CommandId::kEdit);
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
      QueueCommand(CommandId::kEditDone);
      state.editMode = false;
    } else {
      QueueCommand(CommandId::kStatus);
    }
    return true;
  }
  if (!state.editMode) return false;
  if (command == "c") {
    QueueCommand(CommandId::kEditColour);
    return true;
  }
  if (command == "#") {
    QueueCommand(CommandId::kEditClear);
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
  // The second version reads its own commands first ("random" among them,
  // which it takes in silence).
  if (Protocol2() && RecognizeProtocol2(command, line)) return Recognition::Handled;
  if (RecognizeExact(state, command, result)) return result;
  if (RecognizeProtover(state, command)) return Recognition::Handled;
  if (RecognizeWithArguments(command, line)) return Recognition::Handled;
  if (RecognizeEditCommands(state, command)) return Recognition::Handled;
  if (ParseMove(CommandId::kUserMove, command)) return Recognition::Handled;
  return Recognition::Unknown;
}

}  // namespace morvi
