// The UCI identification and options: Ponder, OwnBook, Move Overhead, and the
// configuration file's integer keys of the sections Engine, GameStage and
// Search that the engine uses, as spin options whose defaults are the values
// read at start-up.
// Option names compare without letter case; a value outside an option's
// range, or an option nobody knows, changes nothing.
#include <cstdio>
#include <string>

#include "engine/engine_options.h"
#include "engine/uci_output.h"
#include "engine/uci_session.h"
#include "base/config.h"
#include "base/text_scan.h"
#include "base/user_texts.h"

namespace morvi {
namespace {

constexpr int kMaxMoveOverheadMs = 5000;

std::string SpinLine(const std::string& name, int value, int min, int max) {
  char line[160];
  std::snprintf(line, sizeof line, "option name %s type spin default %d min %d max %d\n", name.c_str(), value, min,
                max);
  return line;
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
  text += SpinLine("Move Overhead", u.moveOverheadMs, 0, kMaxMoveOverheadMs);
  text += "option name Search type combo default " + SearchWordOffered(config) + " var full var classic\n";
  text += std::string("option name UCI_AnalyseMode type check default ") + (u.analyseMode ? "true" : "false") + "\n";
  text += std::string("option name UCI_LimitStrength type check default ") + (config.LimitStrength != 0 ? "true" : "false") + "\n";
  text += SpinLine("UCI_Elo", config.Elo, kLowestElo, kHighestElo);
  for (const IntegerKey& key : kIntegerKeys) {
    if (!key.inUse) continue;
    const OfferedOption option = OfferKey(key, config);
    text += SpinLine(option.name, option.value, option.min, option.max);
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
  } else if (wanted == "uci_analysemode" && ReadCheck(given, flag)) {
    u.analyseMode = flag;
  } else if (wanted == "move overhead" && ReadWholeNumber(given, number) && number >= 0 &&
             number <= kMaxMoveOverheadMs) {
    u.moveOverheadMs = number;
  } else {
    return ApplyKeyOption(name, value).value_or("Option refused: " + name + " = " + value);
  }
  return "Option set: " + Trimmed(name) + " = " + given;
}

}  // namespace morvi
