// The engine's own move in the game: the end of the game when it has none,
// the last check, the move line, the results it brings about, the archive
// record and the statistics of the pass.
#pragma once

#include "search/think.h"

namespace morvi {

// The score of a move that mates at once.
constexpr int kMateInOneScore = 102400;

// Plays the result of a search (or a book move, value 0) for the engine.
void CompleteEngineMove(const SearchResult& result);

// The three statistics lines of the pass, on the console and in the log.
void ReportPassStatistics(int score);

}  // namespace morvi
