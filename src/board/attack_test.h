// The attack test behind IsAttacked and the legality test of MakeMove, kept
// inline so that move making can use it without a call. It looks outward
// from the target square for each kind of attacker instead of walking the
// attacker's piece list. Wherever the board and the piece list agree (a clean
// audit) the answer is the same, since every piece of a side on the board has
// its list entry there, and a captured entry (square 64) stands nowhere.
#pragma once

#include "board/position.h"
#include "board/rays.h"

namespace morvi {

namespace attack_detail {

// For each pair of squares: the line (0-7) out of the first that passes the
// second, or -1 when none does.
struct LineIndexTable {
  signed char line[64][64] = {};
};

constexpr LineIndexTable BuildLineIndex() {
  LineIndexTable t;
  for (int s = 0; s < 64; ++s) {
    for (int to = 0; to < 64; ++to) t.line[s][to] = -1;
    for (int d = 0; d < 8; ++d) {
      for (int i = 0; i < kSquareRays.rayLength[s][d]; ++i) t.line[s][kSquareRays.ray[s][d][i]] = static_cast<signed char>(d);
    }
  }
  return t;
}

inline constexpr LineIndexTable kLineIndex = BuildLineIndex();

[[gnu::always_inline]] inline bool StepAttacker(const Position& pos, const signed char* from, int count, int code,
                                                Colour by) {
  for (int i = 0; i < count; ++i) {
    const int sq = from[i];
    if (pos.SquarePiece[sq] == code && pos.SquareColour[sq] == by) return true;
  }
  return false;
}

// True when the first piece met along line d attacks the target along it:
// a slider of that line's kind or a queen at any distance; next to the
// target also a king, or a pawn when the line is one it captures along.
[[gnu::always_inline]] inline bool LineAttacker(const Position& pos, int target, int d, int slider, bool pawnLine,
                                                Colour by) {
  const signed char* line = kSquareRays.ray[target][d];
  const int length = kSquareRays.rayLength[target][d];
  if (length == 0) return false;
  int sq = line[0];
  Colour colour = pos.SquareColour[sq];
  if (colour != Colour::kNone) {
    if (colour != by) return false;
    const int code = pos.SquarePiece[sq];
    return code == slider || code == kQueen || code == kKing || (pawnLine && code == kPawn);
  }
  for (int i = 1; i < length; ++i) {
    sq = line[i];
    colour = pos.SquareColour[sq];
    if (colour == Colour::kNone) continue;
    if (colour != by) return false;
    const int code = pos.SquarePiece[sq];
    return code == slider || code == kQueen;
  }
  return false;
}

// LineAttacker with the slider kind and pawn rule of line d.
inline bool AttackerOnLine(const Position& pos, int target, int d, Colour by) {
  if (d >= 4) return LineAttacker(pos, target, d, kRook, false, by);
  const bool pawnLine = (d >= 2) == (by == Colour::kWhite);
  return LineAttacker(pos, target, d, kBishop, pawnLine, by);
}

}  // namespace attack_detail

// True when a piece of colour by attacks target (0-63); any other target
// (square 64: a side without a king) is attacked by nothing.
[[gnu::always_inline]] inline bool SquareAttackedBy(const Position& pos, int target, Colour by) {
  using namespace attack_detail;
  if (static_cast<unsigned>(target) >= 64u) return false;
  // Lines 0-3 are the diagonals towards -11, -9, +9, +11 (mailbox); a White
  // pawn attacks from one row below (lines 2 and 3), a Black one from above.
  const bool white = by == Colour::kWhite;
  if (LineAttacker(pos, target, 0, kBishop, !white, by)) return true;
  if (LineAttacker(pos, target, 1, kBishop, !white, by)) return true;
  if (LineAttacker(pos, target, 2, kBishop, white, by)) return true;
  if (LineAttacker(pos, target, 3, kBishop, white, by)) return true;
  for (int d = 4; d < 8; ++d) {
    if (LineAttacker(pos, target, d, kRook, false, by)) return true;
  }
  return StepAttacker(pos, kSquareRays.knight[target], kSquareRays.knightCount[target], kKnight, by);
}

inline int KingSquare(const Position& pos, Colour colour) {
  return pos.PieceAr[colour == Colour::kWhite ? pos.LightStart : pos.DarkStart];
}

// True when a piece of colour by attacks target along the line out of target
// that passes square through; false when no line does.
inline bool SquareAttackedThrough(const Position& pos, int target, int through, Colour by) {
  using namespace attack_detail;
  if (static_cast<unsigned>(target) >= 64u) return false;
  const int d = kLineIndex.line[target][through];
  return d >= 0 && AttackerOnLine(pos, target, d, by);
}

}  // namespace morvi
