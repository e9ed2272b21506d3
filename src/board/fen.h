// Setting up a position from FEN text: for tests and morvi-bench only, never
// reachable from the protocol. Pieces are placed and the piece list rebuilt
// as edit mode does; side, castling, en passant and fifty-move counter set.
#pragma once

#include <string_view>

#include "board/position.h"

namespace morvi {

// Returns false (position unspecified but consistent) for malformed text.
bool LoadFen(Position& pos, std::string_view fen);

}  // namespace morvi
