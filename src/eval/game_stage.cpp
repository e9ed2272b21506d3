// The game-stage rule, judged by the side not to move: its piece material
// decides the two endings; otherwise the number of its home squares that
// still hold their initial piece tells the opening from the middle game.
#include "eval/game_stage.h"

#include "base/config.h"

namespace morvi {

namespace {

// Initial pieces of the back and pawn rows, file a first. Black's home
// squares are 0-15 (back row then pawns), White's 48-63 (pawns then back row).
constexpr int kBackRow[8] = {kRook, kKnight, kBishop, kQueen, kKing, kBishop, kKnight, kRook};

int UntouchedHomeSquares(const Position& pos, Colour owner) {
  const int backRow = owner == Colour::kBlack ? 0 : 56;
  const int pawnRow = owner == Colour::kBlack ? 8 : 48;
  int count = 0;
  for (int f = 0; f < 8; ++f) {
    if (pos.SquarePiece[backRow + f] == kBackRow[f] && pos.SquareColour[backRow + f] == owner) ++count;
    if (pos.SquarePiece[pawnRow + f] == kPawn && pos.SquareColour[pawnRow + f] == owner) ++count;
  }
  return count;
}

}  // namespace

int DecideGameStage(const Position& pos) {
  if (pos.SideToMove != Colour::kWhite && pos.SideToMove != Colour::kBlack) return pos.GameStage;
  const Colour opponent = Opponent(pos.SideToMove);
  const int m = pos.eval.stageMaterial[opponent];
  if (m < config.LateEndingCount) return kStageLateEnding;
  if (m < config.EarlyEndingCount) return kStageEarlyEnding;
  // In 64 bits: OpeningCount comes from the profile and may be any 32-bit value.
  const long long untouched = UntouchedHomeSquares(pos, opponent);
  return untouched >= 16LL - config.OpeningCount ? kStageOpening : kStageMiddleGame;
}

}  // namespace morvi
