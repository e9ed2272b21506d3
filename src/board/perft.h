// Leaf-node counting for move-generator checks (tests and morvi-bench).
#pragma once

#include <cstdint>

#include "board/position.h"

namespace morvi {

// Counts the leaves of the legal move tree of the given depth from pos, with
// GenerateMoves, MakeMove and UnmakeMove; each ply's moves are appended to
// list from index start (list has kMoveStackSize entries). Depth 0 is one leaf.
std::uint64_t Perft(Position& pos, int depth, MoveEntry* list, int start);

}  // namespace morvi
