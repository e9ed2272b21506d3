// Edit-mode board operations: each changes the square arrays and rebuilds
// the piece list from the board. Placements that would give a position the
// move generator cannot handle safely are refused and change nothing.
#include "board/attack_test.h"
#include "board/geometry.h"
#include "board/position.h"
#include "base/debug_log.h"

namespace morvi {

using enum Colour;

void Position::RebuildPieceList() {
  for (int i = 0; i < 32; ++i) PieceAr[i] = kOffBoard;
  int w = LightStart + 1;
  int b = DarkStart + 1;
  bool overflow = false;
  for (int s = 0; s < 64; ++s) {
    if (SquarePiece[s] == kEmpty) {
      PieceArIndex[s] = -1;
      continue;
    }
    const bool white = SquareColour[s] == kWhite;
    int slot;
    if (SquarePiece[s] == kKing && (white ? LightStart < DarkStart : DarkStart < DarkEnd)) {
      slot = white ? LightStart : DarkStart;
    } else if (SquarePiece[s] == kKing) {
      slot = -1;  // a range without room even for its king
    } else if (white ? w < DarkStart : b < DarkEnd) {
      slot = white ? w++ : b++;
    } else {
      slot = -1;
    }
    if (slot < 0) {
      SquarePiece[s] = kEmpty;
      SquareColour[s] = Colour::kNone;
      PieceArIndex[s] = -1;
      overflow = true;
      continue;
    }
    PieceAr[slot] = s;
    PieceArIndex[s] = slot;
  }
  if (overflow) LogLine("Edit", "Too many pieces!");
}

void Position::EditClearBoard() {
  for (int s = 0; s < 64; ++s) {
    SquareColour[s] = Colour::kNone;
    SquarePiece[s] = kEmpty;
  }
  RebuildPieceList();
  RefreshKey();
}

const char* Position::EditPlacementProblem(int piece, int square, Colour colour) const {
  if (piece < kPawn || piece > kKing) return "no such piece";
  if (colour != kWhite && colour != kBlack) return "no such colour";
  if (square < 0 || square > 63) return "no such square";
  if (piece == kPawn && (RowOf(square) == 0 || RowOf(square) == 7)) return "pawn on first or last rank";
  if (piece == kKing) {
    for (int s = 0; s < 64; ++s) {
      if (s != square && SquarePiece[s] == kKing && SquareColour[s] == colour) return "second king";
    }
  }
  return nullptr;
}

bool Position::EditPlacePiece(int piece, int square, Colour colour) {
  if (EditPlacementProblem(piece, square, colour) != nullptr) return false;
  SquarePiece[square] = piece;
  SquareColour[square] = colour;
  RebuildPieceList();
  RefreshKey();
  return true;
}

bool Position::EditClearSquare(int square) {
  if (square < 0 || square > 63) return false;
  SquarePiece[square] = kEmpty;
  SquareColour[square] = Colour::kNone;
  RebuildPieceList();
  RefreshKey();
  return true;
}

void Position::EditCastleRights(int code) {
  constexpr int kBit[4] = {kWhiteKingSide, kWhiteQueenSide, kBlackKingSide, kBlackQueenSide};
  if (code >= 0 && code <= 3) {
    CastleBits &= ~kBit[code];
  } else if (code >= 4 && code <= 6) {
    CastleBits |= kBit[code - 4];
  } else {
    CastleBits |= kBlackQueenSide;
  }
  RefreshKey();
}

bool Position::EditEnPassant(int square) {
  if (square < -1 || square > 63) return false;
  EpSquare = square;
  RefreshKey();
  return true;
}

bool Position::IsPlayable() const { return PiecesArePlayable() && !InCheck(Opponent(SideToMove)); }

bool Position::PiecesArePlayable() const {
  ByColour<int> kings = {};
  for (int s = 0; s < 64; ++s) {
    const int code = SquarePiece[s];
    if (code == kKing && (SquareColour[s] == kWhite || SquareColour[s] == kBlack)) ++kings[SquareColour[s]];
    if (code == kPawn && (RowOf(s) == 0 || RowOf(s) == 7)) return false;
  }
  if (kings[kWhite] != 1 || kings[kBlack] != 1 || !AuditBoard()) return false;
  return SquarePiece[KingSquare(*this, kWhite)] == kKing && SquarePiece[KingSquare(*this, kBlack)] == kKing;
}

}  // namespace morvi
