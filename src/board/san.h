// Reading a move as people and test files write it: standard algebraic
// notation ("Nf3", "exd5", "O-O-O", "e8=Q", "Rad1", "N1c3", "Qxf7#") or
// coordinates ("e2e4", "e7e8n"), always against the legal moves of the side
// to move, so that a text names a move only when exactly one move fits it.
#pragma once

#include <string_view>

#include "board/position.h"

namespace morvi {

enum class MoveReading { kFound, kNone, kAmbiguous };

struct ReadMove {
  MoveReading outcome = MoveReading::kNone;
  Move move = kNoMove;  // the legal move when found
};

// Algebraic notation. Check and mate signs, "!" and "?" annotations and an
// "e.p." suffix are ignored; the capture sign may be left out; castling may be
// written with letter O or digit 0; the promotion piece may follow with or
// without "=". A pawn move to the last rank without its piece is ambiguous.
// pos is left exactly as it was (moves are made and unmade to test legality).
ReadMove ReadSan(Position& pos, std::string_view text);

// Coordinates: from- and to-square, then for a promotion an optional piece
// letter in either case (none is the queen, as the engine writes its own
// moves); a castling is the king's two-square step.
ReadMove ReadCoordinates(Position& pos, std::string_view text);

// Coordinates when the text has their form, algebraic notation otherwise.
ReadMove ReadMoveText(Position& pos, std::string_view text);

}  // namespace morvi
