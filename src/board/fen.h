// Setting up a position from FEN text: for the UCI "position fen" command,
// tests and morvi-bench. Pieces are placed and the piece list rebuilt
// as edit mode does; side, castling, en passant and fifty-move counter set.
#pragma once

#include <string_view>

#include "board/position.h"

namespace morvi {

// Returns false, leaving the position untouched, for malformed text and for
// positions no game reaches that the engine cannot handle: not exactly one
// king per side, more than 16 pieces of a side, a pawn on the first or last
// rank. Castling rights without their king and rook at home are dropped, and
// an en-passant square with no pawn just passed over it is set to -1. The
// two move counters may be left out (the fifty-move counter is then 0).
// Like entering edit mode, it empties the archive and the repetition list.
// The full-move number (1 when left out) goes to fullMoveNumber when given.
bool LoadFen(Position& pos, std::string_view fen, int* fullMoveNumber = nullptr);

}  // namespace morvi
