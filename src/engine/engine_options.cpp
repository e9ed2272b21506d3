// The ranges of the offered keys, and a key set by its name.
#include "engine/engine_options.h"

#include <algorithm>

#include "base/text_scan.h"
#include "engine/search_choice.h"
#include "eval/evaluate.h"
#include "search/search_threads.h"
#include "search/transposition.h"

namespace morvi {
namespace {

struct SpinRange {
  int min;
  int max;
};

// The range offered for a configuration key (in the file's units).
SpinRange RangeOf(const IntegerKey& key) {
  const std::string_view name = key.key;
  if (name == "RandomTerm") return {0, 1};
  if (std::string_view(key.section) == "Engine") return {0, 31};  // shift counts
  if (name == "OpeningCount") return {0, 16};
  if (key.times1024) return {0, 100};
  if (name == "QSkipMargin" || name == "AspirationWindow") return {0, 1000000};
  if (name == "OppTimeAdv") return {0, 1};
  if (name == "Hash") return {0, static_cast<int>(kMaxHashMegabytes)};
  if (name == "Threads") return {1, kMaxThreads};
  if (name == "MultiPV") return {1, kMaxMultiPv};
  return {-128, 128};  // depths and plies
}

// The key's value in the file's units.
int FileValue(const IntegerKey& key, const Configuration& configuration) {
  const int stored = configuration.*key.parameter;
  return key.times1024 ? stored / 1024 : stored;
}

}  // namespace

OfferedOption OfferKey(const IntegerKey& key, const Configuration& configuration) {
  const int value = FileValue(key, configuration);
  const SpinRange range = RangeOf(key);
  return {Trimmed(key.key), value, std::min(range.min, value), std::max(range.max, value)};
}

std::string SearchWordOffered(const Configuration& configuration) {
  return configuration.search.empty() ? std::string(kFullWord) : configuration.search;
}

namespace {

// The strength level's two options: the switch takes "true" or "false"
// (UCI) and 1 or 0 (the xboard protocol's check boxes).
std::optional<std::string> ApplyLevelOption(const std::string& wanted, std::string_view name, std::string_view value) {
  const std::string given = LowerCase(Trimmed(value));
  const std::string refused = "Option value refused: " + std::string(name) + " = " + std::string(value);
  if (wanted == "uci_limitstrength") {
    if (given != "true" && given != "false" && given != "1" && given != "0") return refused;
    config.LimitStrength = given == "true" || given == "1" ? 1 : 0;
    return std::string("Option set: UCI_LimitStrength = ") + (config.LimitStrength != 0 ? "true" : "false");
  }
  int number = 0;
  if (!ReadWholeNumber(given, number) || number < kLowestElo || number > kHighestElo) return refused;
  config.Elo = number;
  return "Option set: UCI_Elo = " + std::to_string(number);
}

}  // namespace

std::optional<std::string> ApplyKeyOption(std::string_view name, std::string_view value) {
  const std::string wanted = LowerCase(Trimmed(name));
  if (wanted == "uci_limitstrength" || wanted == "uci_elo") return ApplyLevelOption(wanted, name, value);
  if (wanted == "search") {
    const std::string word = LowerCase(Trimmed(value));
    if (word != kClassicWord && word != kFullWord) return "Option value refused: Search = " + std::string(value);
    config.search = word;
    return "Option set: Search = " + word;
  }
  for (const IntegerKey& key : kIntegerKeys) {
    if (!key.inUse || LowerCase(Trimmed(key.key)) != wanted) continue;
    const OfferedOption offered = OfferKey(key, config);
    int number = 0;
    if (!ReadWholeNumber(Trimmed(value), number) || number < offered.min || number > offered.max) {
      return "Option value refused: " + std::string(name) + " = " + std::string(value);
    }
    config.*key.parameter = key.times1024 ? number * 1024 : number;
    if (key.parameter == &Configuration::RandomTerm) evalSettings.randomTerm = number != 0;
    return "Option set: " + offered.name + " = " + std::to_string(number);
  }
  return std::nullopt;
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

bool ReadWholeNumber(std::string_view text, int& value) {
  if (text.empty()) return false;
  size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  return ScanInt(text, value) == 1;
}

}  // namespace morvi
