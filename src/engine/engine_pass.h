// One pass of the engine loop after the queue has been drained: an analysis
// search, the engine's own move, a search on the opponent's time, or nothing.
#pragma once

namespace morvi {

// Analysis search, in centiseconds: an hour.
constexpr int kOpenEndedLimit = 3600000;

// Runs the pass; false when there was nothing to do (the loop may then wait
// for the next command).
bool RunPass();

}  // namespace morvi
