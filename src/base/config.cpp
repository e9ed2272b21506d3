// The process's configuration values and the reading of the profile's text
// and integer keys into them.
#include "base/config.h"

#include <algorithm>

#include "base/profile_file.h"
#include "base/text_scan.h"

namespace morvi {

Configuration config;

void ReadConfiguration(const ProfileFile& profile, Configuration& out) {
  out.debugFile = profile.GetText("Main", "DebugFile");
  std::string book = profile.GetText("Main", "Book");
  if (book.empty()) book = out.exeBaseName + ".book";
  out.bookPath = out.exeDirectory + book;
  const std::string search = LowerCase(profile.GetText("Search", "Search"));
  out.search = search == "classic" || search == "full" ? search : std::string();
  out.LimitStrength = profile.GetInt("Strength", "LimitStrength", 0) != 0 ? 1 : 0;
  out.Elo = std::clamp(profile.GetInt("Strength", "Elo", kHighestElo), kLowestElo, kHighestElo);
  for (const IntegerKey& entry : kIntegerKeys) {
    int value = profile.GetInt(entry.section, entry.key, entry.fileDefault);
    if (entry.times1024) value = ClampToInt(static_cast<long long>(value) * 1024);
    out.*entry.parameter = value;
  }
}

}  // namespace morvi
