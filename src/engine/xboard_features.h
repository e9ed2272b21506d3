// What the engine tells a GUI of the xboard protocol's second version at
// "protover": the protocol features it implements, its name, the variant it
// plays, and the configuration's integer keys as spin options (set with
// "option NAME=VALUE"), with "done=1" last. The input thread writes these
// lines at once, so the GUI need not wait for the engine's start-up.
#pragma once

#include <string>

#include "base/config.h"

namespace morvi {

// The feature lines, each ending in its line end, with the options' values
// taken from the configuration given.
std::string FeatureLines(const Configuration& configuration);

}  // namespace morvi
