// The in-search command handler's stand-in: no command is handled during a
// search, so every queued record stops the search and waits for the engine
// loop.
#include "engine/in_search.h"

namespace morvi {

int HandleCommandInSearch(CommandRecord&) { return kVerdictAbort; }

}  // namespace morvi
