// The argument parsers: keyword and form checks, number conversion with the
// "%d" and "%d:%d" scans, and one posted record per accepted text.
#include "frontend/parsers.h"

#include <array>
#include <memory>
#include <string_view>

#include "engine/command_queue.h"
#include "base/text_scan.h"
#include "board/notation.h"

namespace morvi {

namespace {

std::unique_ptr<CommandRecord> NewRecord(CommandId id) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  return record;
}

// Minutes and seconds as seconds, clamped to 32 bits.
int MinutesAndSeconds(int minutes, int seconds) {
  return ClampToInt(static_cast<long long>(minutes) * 60 + seconds);
}

// Everything after the first blank, left-trimmed; empty when there is no blank.
std::string AfterFirstBlank(std::string_view text) {
  size_t blank = text.find(' ');
  return blank == std::string_view::npos ? std::string() : LeftTrim(text.substr(blank));
}

struct ResultToken {
  std::string_view text;
  int code;
};
constexpr std::array<ResultToken, 4> kResultTokens = {{
    {"1-0", 0}, {"1/2-1/2", 1}, {"0-1", 2}, {"*", 3}}};

constexpr std::array<std::string_view, 8> kCastleCodes = {
    "-w00", "-w000", "-b00", "-b000", "+w00", "+w000", "+b00", "+b000"};

}  // namespace

bool ParseLevel(std::string text) {
  if (!KeywordAtStart(text, "level")) return false;
  auto record = NewRecord(CommandId::kLevel);

  std::string rest = SkipToFirstOf(text, kDigits);
  std::string run = LeadingRun(rest, kDigits);
  if (ScanInt(run, record->levelMoves) != 1) return false;
  rest = LeftTrim(std::string_view(rest).substr(run.size()));

  run = LeadingRun(rest, kClockChars);
  int minutes = 0;
  int seconds = 0;
  if (ScanIntColonInt(run, minutes, seconds) < 1) return false;
  record->levelBase = MinutesAndSeconds(minutes, seconds);
  rest = LeftTrim(std::string_view(rest).substr(run.size()));

  int first = 0;
  int second = 0;
  if (ScanIntColonInt(rest, first, second) == 2) {
    record->levelIncrement = MinutesAndSeconds(first, second);
  } else if (ScanInt(rest, first) == 1) {
    record->levelIncrement = first;
  } else {
    return false;
  }
  PostCommand(std::move(record));
  return true;
}

bool ParseClock(std::string text) {
  CommandId id = CommandId::kNone;
  if (KeywordAtStart(text, "time")) {
    id = CommandId::kTime;
  } else if (KeywordAtStart(text, "otim")) {
    id = CommandId::kOtim;
  } else {
    return false;
  }
  auto record = NewRecord(id);
  // Skipping to the first digit also skips a minus sign: the value is never negative.
  if (ScanInt(LeftTrim(SkipToFirstOf(text, kDigits)), record->clockValue) != 1) return false;
  PostCommand(std::move(record));
  return true;
}

bool ParsePonder(std::string text) {
  constexpr std::string_view kKeyword = "ponder";
  if (!KeywordAtStart(text, kKeyword)) return false;
  return ParseMove(CommandId::kPonderMove, LeftTrim(std::string_view(text).substr(kKeyword.size())));
}

bool ParseResult(std::string text) {
  if (!KeywordAtStart(LowerCase(text), "result")) return false;
  std::string rest = SkipToFirstOf(text, kResultChars);
  std::string token = LeadingRun(rest, kResultChars);
  for (const ResultToken& known : kResultTokens) {
    if (token != known.text) continue;
    auto record = NewRecord(CommandId::kResult);
    record->resultCode = known.code;
    record->resultText = LeftTrim(std::string_view(rest).substr(token.size()));
    PostCommand(std::move(record));
    return true;
  }
  return false;
}

bool ParseName(std::string text) {
  if (!KeywordAtStart(LowerCase(text), "name")) return false;
  auto record = NewRecord(CommandId::kName);
  record->nameText = AfterFirstBlank(text);
  PostCommand(std::move(record));
  return true;
}

bool ParseRating(std::string text) {
  if (!KeywordAtStart(text, "rating")) return false;
  auto record = NewRecord(CommandId::kRating);
  std::string rest = SkipToFirstOf(text, kDigits);
  std::string run = LeadingRun(rest, kDigits);
  if (ScanInt(run, record->ratingOwn) == 1) {
    rest = LeftTrim(std::string_view(rest).substr(run.size()));
    ScanInt(LeadingRun(rest, kDigits), record->ratingOpponent);  // stays 0 when absent
  }
  PostCommand(std::move(record));
  return true;
}

bool ParseCastle(std::string text) {
  if (!KeywordAtStart(text, "castle")) return false;
  std::string code = SkipToFirstOf(text, kCastleSigns);
  for (size_t i = 0; i < kCastleCodes.size(); ++i) {
    if (code != kCastleCodes[i]) continue;
    auto record = NewRecord(CommandId::kEditCastle);
    record->castleCode = static_cast<int>(i);
    PostCommand(std::move(record));
    return true;
  }
  return false;
}

bool ParseEnPassant(std::string text) {
  if (!KeywordAtStart(text, "ep") || text.size() < 5) return false;
  std::string rest = AfterFirstBlank(text);
  if (rest.size() != 2 || !IsFileLetter(rest[0]) || (rest[1] != '3' && rest[1] != '6')) {
    return false;
  }
  auto record = NewRecord(CommandId::kEditEp);
  record->square = SquareFromName(rest);
  PostCommand(std::move(record));
  return true;
}

bool ParsePlacement(std::string text) {
  if (text.size() != 3) return false;
  auto record = NewRecord(CommandId::kEditPlace);
  if (text[0] == 'x') {
    record->id = CommandId::kEditEmpty;
    record->piece = 'x';
  } else {
    record->piece = PieceFromLetter(text[0], LetterCase::kLower);
    if (record->piece == -1) return false;
  }
  record->square = SquareFromName(std::string_view(text).substr(1));
  if (record->square < 0) return false;
  PostCommand(std::move(record));
  return true;
}

bool ParseMove(CommandId id, std::string text) {
  CoordinateMove move;
  if (!ParseCoordinateMove(text, LetterCase::kLower, move)) return false;
  auto record = NewRecord(id);
  record->moveFrom = move.from;
  record->moveTo = move.to;
  record->movePromotion = move.promotion;
  PostCommand(std::move(record));
  return true;
}

}  // namespace morvi
