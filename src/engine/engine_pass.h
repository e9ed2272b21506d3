// One pass of the engine loop after the queue has been drained: the pass's
// counters reset, then the active session's pass. The game pass of the xboard
// session: an analysis search, the engine's own move, a search on the
// opponent's time, or nothing.
#pragma once

#include "search/think.h"

namespace morvi {

// Analysis search, in centiseconds: an hour.
constexpr int kOpenEndedLimit = 3600000;

// The book's move for the position on the board as a generated move with
// value 0; false when the book has none (or names a move the position does
// not have).
bool BookMove(SearchResult& result);

// Runs the pass; false when there was nothing to do (the loop may then wait
// for the next command).
bool RunPass();

// The game pass: analysis, the engine's move or pondering; false when there
// was nothing to do.
bool RunGamePass();

}  // namespace morvi
