// The feature lines in their order: the protocol's features, the name and
// variant, one line per option, and the end of the list.
#include "engine/xboard_features.h"

#include "base/user_texts.h"
#include "engine/engine_options.h"
#include "engine/search_choice.h"

namespace morvi {
namespace {

// ping, setboard, usermove, memory: the protocol's newer commands; time,
// draw, reuse, analyze: the older ones, as they are; colors=0: no "white"
// and "black" (the engine takes the side to move at "go", as the protocol
// advises); no signals (sigint, sigterm); name: the opponent's name; nps:
// not understood.
constexpr const char* kProtocolFeatures =
    "feature ping=1 setboard=1 usermove=1 time=1 draw=1 sigint=0 sigterm=0 reuse=1 analyze=1 colors=0 name=1 "
    "memory=1 nps=0\n";

}  // namespace

std::string FeatureLines(const Configuration& configuration) {
  std::string text = kProtocolFeatures;
  text += "feature myname=\"Morvi " + std::string(UserText(TEXT_VERSION)) + "\" variants=\"normal\"\n";
  const bool full = SearchWordOffered(configuration) == kFullWord;
  text += std::string("feature option=\"Search -combo ") + (full ? "*full /// classic" : "full /// *classic") + "\"\n";
  text += std::string("feature option=\"UCI_LimitStrength -check ") + (configuration.LimitStrength != 0 ? "1" : "0") + "\"\n";
  text += "feature option=\"UCI_Elo -spin " + std::to_string(configuration.Elo) + " " + std::to_string(kLowestElo) + " " +
          std::to_string(kHighestElo) + "\"\n";
  for (const IntegerKey& key : kIntegerKeys) {
    if (!key.inUse) continue;
    const OfferedOption option = OfferKey(key, configuration);
    text += "feature option=\"" + option.name + " -spin " + std::to_string(option.value) + " " +
            std::to_string(option.min) + " " + std::to_string(option.max) + "\"\n";
  }
  text += "feature done=1\n";
  return text;
}

}  // namespace morvi
