// The UCI identification and options: Ponder, OwnBook, Move Overhead, and the
// configuration file's integer keys of the sections Engine, GameStage and
// Search that the engine uses, as spin options whose defaults are the values
// read at start-up.
// Option names compare without letter case; a value outside an option's
// range, or an option nobody knows, changes nothing.
#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/uci_output.h"
#include "engine/uci_session.h"
#include "base/config.h"
#include "base/text_scan.h"
#include "base/user_texts.h"
#include "search/transposition.h"

namespace morvi {
namespace {

constexpr int kMaxMoveOverheadMs = 5000;

struct SpinRange {
  int min;
  int max;
};

// The range offered for a configuration key (in the file's units).
SpinRange RangeOf(const IntegerKey& key) {
  const std::string name = key.key;
  if (std::string_view(key.section) == "Engine") return {0, 31};  // shift counts
  if (name == "OpeningCount") return {0, 16};
  if (key.times1024) return {0, 100};
  if (name == "QSkipMargin" || name == "AspirationWindow") return {0, 1000000};
  if (name == "OppTimeAdv") return {0, 1};
  if (name == "Hash") return {0, static_cast<int>(kMaxHashMegabytes)};
  return {-128, 128};  // depths and plies
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

// The key's value in the file's units.
int FileValue(const IntegerKey& key) {
  const int stored = config.*key.parameter;
  return key.times1024 ? stored / 1024 : stored;
}

std::string SpinLine(const std::string& name, int value, SpinRange range) {
  range.min = std::min(range.min, value);
  range.max = std::max(range.max, value);
  char line[160];
  std::snprintf(line, sizeof line, "option name %s type spin default %d min %d max %d\n", name.c_str(), value,
                range.min, range.max);
  return line;
}

// A whole decimal number, nothing else.
bool ReadWholeNumber(const std::string& text, int& value) {
  if (text.empty()) return false;
  size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  return ScanInt(text, value) == 1;
}

bool ReadCheck(const std::string& text, bool& value) {
  const std::string lower = LowerCase(text);
  if (lower != "true" && lower != "false") return false;
  value = lower == "true";
  return true;
}

}  // namespace

void WriteUciIdentification() {
  const UciSession& u = uciSession;
  std::string text = "id name Morvi " + std::string(UserText(TEXT_VERSION)) + "\n";
  text += "id author the Morvi developers\n";
  text += std::string("option name Ponder type check default ") + (u.ponder ? "true" : "false") + "\n";
  text += std::string("option name OwnBook type check default ") + (u.ownBook ? "true" : "false") + "\n";
  text += SpinLine("Move Overhead", u.moveOverheadMs, {0, kMaxMoveOverheadMs});
  for (const IntegerKey& key : kIntegerKeys) {
    if (key.inUse) text += SpinLine(Trimmed(key.key), FileValue(key), RangeOf(key));
  }
  text += "uciok\n";
  AnnounceUci(text);
}

std::string ApplyUciOption(const std::string& name, const std::string& value) {
  UciSession& u = uciSession;
  const std::string wanted = LowerCase(Trimmed(name));
  const std::string given = Trimmed(value);
  int number = 0;
  bool flag = false;
  if (wanted == "ponder" && ReadCheck(given, flag)) {
    u.ponder = flag;
  } else if (wanted == "ownbook" && ReadCheck(given, flag)) {
    u.ownBook = flag;
  } else if (wanted == "move overhead" && ReadWholeNumber(given, number) && number >= 0 &&
             number <= kMaxMoveOverheadMs) {
    u.moveOverheadMs = number;
  } else {
    for (const IntegerKey& key : kIntegerKeys) {
      if (!key.inUse || LowerCase(Trimmed(key.key)) != wanted) continue;
      SpinRange range = RangeOf(key);
      const int current = FileValue(key);
      if (!ReadWholeNumber(given, number) || number < std::min(range.min, current) ||
          number > std::max(range.max, current)) {
        return "Option value refused: " + name + " = " + value;
      }
      config.*key.parameter = key.times1024 ? number * 1024 : number;
      return "Option set: " + Trimmed(key.key) + " = " + std::to_string(number);
    }
    return "Option refused: " + name + " = " + value;
  }
  return "Option set: " + Trimmed(name) + " = " + given;
}

}  // namespace morvi
