// The configuration's integer keys as options a GUI may set, in either
// dialect: a UCI "setoption" or an xboard "option NAME=VALUE" (and the
// features that offer them). Each key that the engine uses is offered under
// its name as a whole number in the file's units, within a range of its own
// that always holds its current value. Names compare without letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/config.h"

namespace morvi {

// One key as a GUI is offered it.
struct OfferedOption {
  std::string name;  // the key's name without surrounding blanks
  int value;         // in the file's units
  int min;
  int max;
};

// The key as offered with the configuration's value.
OfferedOption OfferKey(const IntegerKey& key, const Configuration& configuration);

// The Search option's value as offered to a GUI of UCI or the second
// version: the key's word, or "full" when the file left it open.
std::string SearchWordOffered(const Configuration& configuration);

// Sets the engine's configuration key named `name` to `value`: "Search" to
// "classic" or "full", UCI_LimitStrength to true or false (1 or 0), UCI_Elo
// to a level from kLowestElo to kHighestElo, an integer key to a whole
// number in the key's range. No value: no key of that name is offered.
// Otherwise the log text: "Option set: KEY = N" or, for a value refused,
// "Option value refused: NAME = VALUE" (the configuration unchanged).
std::optional<std::string> ApplyKeyOption(std::string_view name, std::string_view value);

// The text without blanks at either end.
std::string Trimmed(std::string_view text);

// A whole decimal number with an optional sign, nothing else.
bool ReadWholeNumber(std::string_view text, int& value);

}  // namespace morvi
