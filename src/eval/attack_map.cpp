// The attack map of the complete evaluation: how often each side attacks each
// square (sliders seeing through their own batteries), and the two terms read
// from it — the safety of each king's neighbourhood and the hot spots.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "board/rays.h"
#include "eval/eval_internal.h"
#include "eval/evaluate.h"

namespace morvi {

namespace evalterms {

namespace {

// Bit masks of the own piece codes a slider's ray passes through, by mover
// and by direction kind (diagonal, straight).
constexpr int Bit(int code) { return 1 << code; }
constexpr int kBishopThrough = Bit(kQueen);
constexpr int kRookThrough = Bit(kRook) | Bit(kQueen);
constexpr int kQueenDiagonalThrough = Bit(kQueen) | Bit(kBishop);
constexpr int kQueenStraightThrough = Bit(kQueen) | Bit(kRook);

void CountRay(Position& pos, Colour colour, int from, int direction, int through) {
  int* counts = pos.AttackCount[Index(colour)];
  const int length = kSquareRays.rayLength[from][direction];
  const signed char* ray = kSquareRays.ray[from][direction];
  for (int n = 0; n < length; ++n) {
    const int s = ray[n];
    ++counts[s];
    if (pos.SquarePiece[s] == kEmpty) continue;
    if (pos.SquareColour[s] != colour || (Bit(pos.SquarePiece[s]) & through) == 0) return;
  }
}

// The target row is taken as an array of eight so that the loop's bound is
// known and it can be unrolled.
void CountTargets(Position& pos, Colour colour, const signed char (&targets)[8], int count) {
  int* counts = pos.AttackCount[Index(colour)];
  for (int n = 0; n < count; ++n) ++counts[targets[n]];
}

void CountPawn(Position& pos, Colour colour, int s) {
  int* counts = pos.AttackCount[Index(colour)];
  const int file = s & 7;
  // A pawn on its last row (possible only in a set-up position) attacks nothing.
  if (colour == Colour::kWhite) {
    if (s < 8) return;
    if (file != 0) ++counts[s - 9];
    if (file != 7) ++counts[s - 7];
  } else {
    if (s >= 56) return;
    if (file != 0) ++counts[s + 7];
    if (file != 7) ++counts[s + 9];
  }
}

// Pawns, the most frequent entries, are taken before the switch.
[[gnu::always_inline]] inline void CountPiece(Position& pos, Colour colour, int s) {
  const int code = pos.SquarePiece[s];
  if (code == kPawn) {
    CountPawn(pos, colour, s);
    return;
  }
  switch (code) {
    case kKnight: CountTargets(pos, colour, kSquareRays.knight[s], kSquareRays.knightCount[s]); break;
    case kKing: CountTargets(pos, colour, kSquareRays.king[s], kSquareRays.kingCount[s]); break;
    case kBishop:
      for (int d = 0; d < kDiagonalLines; ++d) CountRay(pos, colour, s, d, kBishopThrough);
      break;
    case kRook:
      for (int d = kDiagonalLines; d < 8; ++d) CountRay(pos, colour, s, d, kRookThrough);
      break;
    case kQueen:
      for (int d = 0; d < kDiagonalLines; ++d) CountRay(pos, colour, s, d, kQueenDiagonalThrough);
      for (int d = kDiagonalLines; d < 8; ++d) CountRay(pos, colour, s, d, kQueenStraightThrough);
      break;
    default: break;  // a captured entry (square 64)
  }
}

}  // namespace

void CountAttacks(Position& pos) {
  std::memset(pos.AttackCount, 0, sizeof pos.AttackCount);
  for (int i = pos.LightStart; i < pos.DarkStart; ++i) CountPiece(pos, Colour::kWhite, pos.PieceAr[i]);
  for (int i = pos.DarkStart; i < pos.DarkEnd; ++i) CountPiece(pos, Colour::kBlack, pos.PieceAr[i]);
}

int KingAttack(const Position& pos, Colour colour) {
  const int king = pos.PieceAr[colour == Colour::kWhite ? pos.LightStart : pos.DarkStart];
  if (king >= 64) return 0;
  const int* own = pos.AttackCount[Index(colour)];
  const int* enemy = pos.AttackCount[Index(Opponent(colour))];
  const int neighbours = kSquareRays.kingCount[king];
  int sum = 0, blocked = 0;
  for (int n = 0; n < neighbours; ++n) {
    const int s = kSquareRays.king[king][n];
    const int balance = own[s] - enemy[s];
    if (balance < 0) sum += 128 * balance;
    if (enemy[s] > 0 || pos.SquarePiece[s] != kEmpty) ++blocked;
  }
  if (sum < 0) {
    if (blocked == neighbours) {
      sum -= 512;
    } else if (blocked == neighbours - 1) {
      sum -= 128;
    }
  }
  return sum;
}

}  // namespace evalterms

namespace {

// What a piece standing on a hot spot adds (by piece code; king and empty 0).
constexpr int kHotSpotPiece[7] = {16, 32, 32, 64, 512, 0, 0};

// How much a hot spot counts by its Chebyshev distance to the enemy king:
// four times next to it, twice at distance 2, once otherwise (the king's
// own square included), by king square and square; a king square of 64 (a
// side without a king) is measured as row 8, file 0.
struct SpotScales {
  std::uint8_t scale[65][64];
};

constexpr SpotScales kSpotScales = [] {
  SpotScales t{};
  for (int king = 0; king <= 64; ++king) {
    for (int s = 0; s < 64; ++s) {
      const int rows = (s >> 3) - (king >> 3), files = (s & 7) - (king & 7);
      const int r = rows < 0 ? -rows : rows, f = files < 0 ? -files : files;
      const int distance = r > f ? r : f;
      t.scale[king][s] = static_cast<std::uint8_t>(distance == 1 ? 4 : distance == 2 ? 2 : 1);
    }
  }
  return t;
}();

// One square held by White (d > 0) or Black (d < 0) by d attacks more: the
// weight 4 x min(|d|, 4) scaled by the distance to the loser's king, plus the
// value of a loser's piece standing there, signed for the holder. Without
// branches on d: an even square (d = 0) comes to 0 in both parts.
inline int HotSpot(const Position& pos, int s, int d, int whiteKing, int blackKing) {
  const bool whiteHolds = d > 0;
  const int sign = static_cast<int>(whiteHolds) - static_cast<int>(d < 0);
  const Colour loser = whiteHolds ? Colour::kBlack : Colour::kWhite;
  const int loserKing = whiteHolds ? blackKing : whiteKing;
  const int weight = 4 * std::clamp(d, -4, 4) * kSpotScales.scale[loserKing][s];
  const bool loserPiece = pos.SquareColour[s] == loser;
  return weight + sign * kHotSpotPiece[pos.SquarePiece[s]] * static_cast<int>(loserPiece);
}

}  // namespace

int HotSpots(const Position& pos) {
  const int whiteKing = pos.PieceAr[pos.LightStart];
  const int blackKing = pos.PieceAr[pos.DarkStart];
  int sum = 0;
  for (int s = 0; s < 64; ++s) {
    const int d = pos.AttackCount[Index(Colour::kWhite)][s] - pos.AttackCount[Index(Colour::kBlack)][s];
    sum += HotSpot(pos, s, d, whiteKing, blackKing);
  }
  return sum;
}

}  // namespace morvi
