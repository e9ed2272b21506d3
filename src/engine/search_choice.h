// Which search the engine runs and with what table. The Search key of
// morvi.ini (or the Search option of either dialect) chooses "classic" or
// "full"; without it the dialect does: the console and the xboard protocol's
// first version keep the engine as it was designed (classic, no table unless
// Hash says so), UCI and the protocol's second version get the full-strength
// search with a table of 16 MB unless Hash (or "memory") says otherwise.
#pragma once

#include <string_view>

#include "base/config.h"
#include "search/thinker.h"

namespace morvi {

// The table UCI and the second version get when nothing sizes it.
constexpr int kModernHashMegabytes = 16;

// The Search key's two words.
constexpr std::string_view kClassicWord = "classic";
constexpr std::string_view kFullWord = "full";

// The search the configuration and the dialect choose.
SearchKind SearchKindInUse();

// Gives a configuration the defaults of UCI and the second version where the
// file left them open: the table's 16 MB.
void AdoptModernDefaults(Configuration& configuration);

// The table and the search threads as the configuration sizes them; between
// searches only (a change asked for during one waits for its end).
void SizeSearchToConfiguration();

// The strength level the engine's moves are played at: the Elo key when
// LimitStrength is on, the full search runs and the level is below the
// highest; 0 (full strength) otherwise.
int LevelInForce();

// Before every search of the engine: the Thinker runs the chosen search
// with the lines the MultiPV key asks for (the classic search shows one);
// the table and the threads are sized to the configuration, and the table
// is emptied when the search changed (the two score and prune differently).
// A search for a move to play (not analysis) is played at the level in
// force, on one thread.
void PrepareEngineSearch(bool playsMove);

}  // namespace morvi
