// The swap list of the static exchange: the attackers of the target square
// found outward from it along the ray table, squares already emptied by the
// exchange left out, so that the pieces behind them are seen.
#include "board/see.h"

#include <algorithm>
#include <cstdint>

#include "board/geometry.h"
#include "board/position.h"
#include "board/rays.h"

namespace morvi {
namespace {

using Squares = std::uint64_t;  // a bit per square: the squares the exchange has emptied

constexpr Squares Bit(int square) { return Squares{1} << square; }

struct Attacker {
  int square = -1;
  int code = kEmpty;
};

// Keeps the less valuable of the two.
void Prefer(Attacker& best, int square, int code) {
  if (best.square < 0 || kSeeValue[code] < kSeeValue[best.code]) best = {square, code};
}

bool Holds(const Position& pos, int square, Squares gone, int code, Colour side) {
  return (gone & Bit(square)) == 0 && pos.SquarePiece[square] == code && pos.SquareColour[square] == side;
}

// The squares from which a pawn of `side` takes on target.
void PawnAttacker(const Position& pos, int target, Colour side, Squares gone, Attacker& best) {
  const int file = FileOf(target);
  const int towardsA = side == Colour::kWhite ? target + 9 : target - 7;  // from the file to the right
  const int towardsH = side == Colour::kWhite ? target + 7 : target - 9;  // from the file to the left
  if (file != 7 && towardsA >= 0 && towardsA < 64 && Holds(pos, towardsA, gone, kPawn, side)) {
    Prefer(best, towardsA, kPawn);
  }
  if (file != 0 && towardsH >= 0 && towardsH < 64 && Holds(pos, towardsH, gone, kPawn, side)) {
    Prefer(best, towardsH, kPawn);
  }
}

// The first piece on each line out of target that is still there, if it is
// one of side's that reaches target along that line.
void LineAttackers(const Position& pos, int target, Colour side, Squares gone, Attacker& best) {
  for (int d = 0; d < 8; ++d) {
    const int slider = d < kDiagonalLines ? kBishop : kRook;
    for (int i = 0; i < kSquareRays.rayLength[target][d]; ++i) {
      const int square = kSquareRays.ray[target][d][i];
      if ((gone & Bit(square)) != 0 || pos.SquarePiece[square] == kEmpty) continue;
      if (pos.SquareColour[square] != side) break;
      const int code = pos.SquarePiece[square];
      if (code == slider || code == kQueen || (code == kKing && i == 0)) Prefer(best, square, code);
      break;
    }
  }
}

Attacker LeastValuableAttacker(const Position& pos, int target, Colour side, Squares gone) {
  Attacker best;
  PawnAttacker(pos, target, side, gone, best);
  if (best.square >= 0) return best;
  for (int i = 0; i < kSquareRays.knightCount[target]; ++i) {
    const int square = kSquareRays.knight[target][i];
    if (Holds(pos, square, gone, kKnight, side)) return {square, kKnight};
  }
  LineAttackers(pos, target, side, gone, best);
  return best;
}

bool LastRank(int square) { return square < 8 || square >= 56; }

}  // namespace

bool CaptureCannotLose(const Position& pos, Move move) {
  const int flags = MoveFlags(move);
  if (flags & kPromotion) return false;
  const int attacker = pos.SquarePiece[MoveFrom(move)];
  const int victim = (flags & kEnPassant) ? kPawn : pos.SquarePiece[MoveTo(move)];
  return attacker != kKing && kSeeValue[victim] >= kSeeValue[attacker];
}

int StaticExchange(const Position& pos, Move move) {
  const int from = MoveFrom(move);
  const int to = MoveTo(move);
  const int flags = MoveFlags(move);
  Squares gone = Bit(from);
  int captured = pos.SquarePiece[to];
  if (flags & kEnPassant) {
    captured = kPawn;
    gone |= Bit(pos.SideToMove == Colour::kWhite ? to + 8 : to - 8);
  }
  int onTarget = pos.SquarePiece[from];
  int gain[40];
  gain[0] = kSeeValue[captured];
  if (flags & kPromotion) {
    onTarget = MovePromotion(move);
    gain[0] += kSeeValue[onTarget] - kSeeValue[kPawn];
  }
  Colour side = Opponent(pos.SideToMove);
  int d = 0;
  while (d < 39) {
    const Attacker next = LeastValuableAttacker(pos, to, side, gone);
    if (next.square < 0) break;
    // A king may only take when nothing of the other side is left to take back.
    if (next.code == kKing && LeastValuableAttacker(pos, to, Opponent(side), gone | Bit(next.square)).square >= 0) {
      break;
    }
    ++d;
    gain[d] = kSeeValue[onTarget] - gain[d - 1];
    onTarget = next.code;
    if (next.code == kPawn && LastRank(to)) {  // it promotes, to a queen
      gain[d] += kSeeValue[kQueen] - kSeeValue[kPawn];
      onTarget = kQueen;
    }
    gone |= Bit(next.square);
    side = Opponent(side);
  }
  // From the last capture back: each side takes only when taking leaves it
  // better off than stopping.
  while (d > 0) {
    gain[d - 1] = -std::max(-gain[d - 1], gain[d]);
    --d;
  }
  return gain[0];
}

}  // namespace morvi
