// The fixed-depth bench: our own positions (openings, middle games, endings,
// tactics), each searched as the engine searches its own move, with the
// default configuration, the random term off and a budget no clock can
// reach, so that the node total is a signature of the search and the
// evaluation: the same on every run and every machine.
#pragma once

#include <cstddef>
#include <span>

#include "board/move.h"

namespace morvi {

struct BenchPosition {
  const char* fen;
  int depth;  // nominal depth limit of its search
};

// The bench's positions in the order they are searched.
std::span<const BenchPosition> BenchPositions();

struct BenchOutcome {
  Move bestMove;
  int score;
  long long nodes;
  int milliseconds;
};

// Searches one position to depth (at least 1): the position is set up, its
// search state reset (history, lastScore and counters start afresh, so no
// position depends on the ones before it), the three pre-search evaluations
// are made, and Think runs with no caller: nothing polls it, it shows no lines.
// False if the FEN is refused.
bool RunBenchPosition(const BenchPosition& entry, int depth, BenchOutcome& outcome);

// The search state for a search of the position on the board, afresh: the
// random term off, the counters zeroed, the pre-search refresh, the game
// stage decided, the Thinker reset (its caller and clock are left alone).
void PrepareBenchSearch();

// The same search of the position already on the board, within the budget
// (centiseconds) and to the depth limit (at least 1).
BenchOutcome SearchSetPosition(int budget, int depth);

}  // namespace morvi
