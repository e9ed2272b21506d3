// The two terms the driver computes at every level from the position's state:
// the castling state (castled, or how many castling rights are left) and the
// material ratio (the side ahead gains more the less material is left).
#include <algorithm>

#include "eval/evaluate.h"

namespace morvi {

namespace {

int CastlePart(int bits, int castled, int kingSide, int queenSide, int stage) {
  if (bits & castled) return stage == 3 ? 0 : stage == 2 ? 64 : 192;
  return ((bits & kingSide) ? 64 : 0) + ((bits & queenSide) ? 64 : 0);
}

// Material in whole pawns, capped at a full set (39).
int RatioIndex(int totalMaterial) { return std::clamp(totalMaterial >> 10, 0, 39); }

}  // namespace

int CastleState(const Position& pos) {
  const int bits = pos.CastleBits, stage = pos.GameStage;
  return CastlePart(bits, kWhiteCastled, kWhiteKingSide, kWhiteQueenSide, stage) -
         CastlePart(bits, kBlackCastled, kBlackKingSide, kBlackQueenSide, stage);
}

int MaterialRatio(const Position& pos) {
  return pos.RatioTable[RatioIndex(pos.eval.totalMaterial[Colour::kWhite])]
                       [RatioIndex(pos.eval.totalMaterial[Colour::kBlack])];
}

}  // namespace morvi
