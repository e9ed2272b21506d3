// The key of a whole position, square by square.
#include "board/zobrist.h"

#include "board/position.h"

namespace morvi {

std::uint64_t ComputeKey(const Position& pos) {
  std::uint64_t key = 0;
  for (int s = 0; s < 64; ++s) {
    const Colour colour = pos.SquareColour[s];
    const int piece = pos.SquarePiece[s];
    if ((colour == Colour::kWhite || colour == Colour::kBlack) && piece >= 0 && piece < kEmpty) {
      key ^= PieceKey(colour, piece, s);
    }
  }
  if (pos.SideToMove == Colour::kBlack) key ^= kZobrist.blackToMove;
  return key ^ CastlingKey(pos.CastleBits) ^ EpKey(pos.EpSquare);
}

void Position::RefreshKey() { Key = ComputeKey(*this); }

}  // namespace morvi
