// The UCI line reader: the line is cut into blank-separated tokens (blanks
// and tabs, any number); the first token names the command, case-insensitive.
// "setoption" keeps the option's name and value as typed, its words joined
// by single blanks; "position" hands its base and moves on unchecked (the engine
// thread checks them against the board); "go" reads its numbers, clamped to
// 32 bits (the node count to 64), and the moves after "searchmoves".
#include "frontend/uci_reader.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/command_queue.h"
#include "base/text_scan.h"
#include "board/notation.h"

namespace morvi {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    size_t end = at;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    if (end > at) tokens.push_back(line.substr(at, end - at));
    at = end;
  }
  return tokens;
}

// The tokens from..to-1 joined with single blanks.
std::string Join(const std::vector<std::string_view>& tokens, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to && i < tokens.size(); ++i) {
    if (!text.empty()) text += ' ';
    text += tokens[i];
  }
  return text;
}

size_t Find(const std::vector<std::string_view>& tokens, size_t from, std::string_view word) {
  for (size_t i = from; i < tokens.size(); ++i) {
    if (LowerCase(tokens[i]) == word) return i;
  }
  return tokens.size();
}

// A decimal number, optionally signed; wider values are clamped.
bool ReadNumber(std::string_view text, long long& value) {
  if (text.empty()) return false;
  const bool negative = text[0] == '-';
  std::string_view digits = (text[0] == '-' || text[0] == '+') ? text.substr(1) : text;
  if (digits.empty()) return false;
  constexpr long long kCap = 1000000000000000000LL;  // far beyond any clock or node count
  long long magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude >= kCap / 10 ? kCap : magnitude * 10 + (c - '0');
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

void QueueRecord(CommandId id) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  PostCommand(std::move(record));
}

void SetOption(const std::vector<std::string_view>& tokens) {
  const size_t name = Find(tokens, 1, "name");
  if (name >= tokens.size()) return;
  const size_t value = Find(tokens, name + 1, "value");
  auto record = std::make_unique<CommandRecord>();
  record->id = CommandId::kSetoption;
  record->optionName = Join(tokens, name + 1, value);
  if (record->optionName.empty()) return;
  record->optionValue = Join(tokens, value + 1, tokens.size());
  PostCommand(std::move(record));
}

void Position(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  auto record = std::make_unique<CommandRecord>();
  record->id = CommandId::kPosition;
  const size_t moves = Find(tokens, 1, "moves");
  const std::string first = LowerCase(tokens[1]);
  if (first == "startpos") {
    record->positionBase = "startpos";
  } else if (first == "fen") {
    record->positionBase = Join(tokens, 2, moves);
    record->positionFen = true;
    if (record->positionBase.empty()) return;
  } else {
    return;
  }
  for (size_t i = moves + 1; i < tokens.size(); ++i) record->positionMoves.emplace_back(tokens[i]);
  PostCommand(std::move(record));
}

// A token of the form of a coordinate move ("e2e4", "e7e8q") in either case;
// a fifth character is taken as it is (the engine thread checks the move).
bool LooksLikeMove(std::string_view token) { return HasCoordinateSquares(LowerCase(token)); }

void Go(const std::vector<std::string_view>& tokens) {
  auto record = std::make_unique<CommandRecord>();
  record->id = CommandId::kUciGo;
  GoArguments& go = record->go;
  struct Field {
    const char* word;
    int* value;
  };
  const Field fields[] = {{"wtime", &go.whiteTime}, {"btime", &go.blackTime},   {"winc", &go.whiteIncrement},
                          {"binc", &go.blackIncrement}, {"movestogo", &go.movesToGo}, {"movetime", &go.moveTime},
                          {"depth", &go.depth}, {"mate", &go.mate}};
  for (size_t i = 1; i < tokens.size(); ++i) {
    const std::string word = LowerCase(tokens[i]);
    if (word == "infinite") go.infinite = true;
    if (word == "ponder") go.ponder = true;
    if (word == "searchmoves") {
      while (i + 1 < tokens.size() && LooksLikeMove(tokens[i + 1])) go.searchMoves.emplace_back(tokens[++i]);
      continue;
    }
    long long number = 0;
    const bool numbered = i + 1 < tokens.size() && ReadNumber(tokens[i + 1], number);
    if (!numbered) continue;
    if (word == "nodes") go.nodes = number < 0 ? 0 : number;
    for (const Field& field : fields) {
      if (word == field.word) *field.value = ClampToInt(number < 0 ? 0 : number);
    }
  }
  PostCommand(std::move(record));
}

}  // namespace

bool IsUciSwitch(std::string_view line) {
  const std::vector<std::string_view> tokens = Tokens(line);
  return tokens.size() == 1 && LowerCase(tokens[0]) == "uci";
}

UciLine RecognizeUciLine(std::string_view line) {
  const std::vector<std::string_view> tokens = Tokens(line);
  if (tokens.empty()) return UciLine::Handled;
  const std::string command = LowerCase(tokens[0]);
  if (command == "quit") return UciLine::Quit;
  if (command == "uci") QueueRecord(CommandId::kUci);
  if (command == "isready") QueueRecord(CommandId::kIsready);
  if (command == "ucinewgame") QueueRecord(CommandId::kUcinewgame);
  if (command == "stop") QueueRecord(CommandId::kStop);
  if (command == "ponderhit") QueueRecord(CommandId::kPonderhit);
  if (command == "setoption") SetOption(tokens);
  if (command == "position") Position(tokens);
  if (command == "go") Go(tokens);
  return UciLine::Handled;  // "debug", "register" and the unknown: nothing
}

}  // namespace morvi
