// The attack test behind IsAttacked and the legality test of MakeMove, kept
// inline so that move making can use it without a call. It looks outward
// from the target square for each kind of attacker instead of walking the
// attacker's piece list. Wherever the board and the piece list agree (a clean
// audit) the answer is the same, since every piece of a side on the board has
// its list entry there, and a captured entry (square 64) stands nowhere.
#pragma once

#include "board/geometry.h"
#include "board/position.h"

namespace morvi {

namespace attack_detail {

inline bool StepAttacker(const Position& pos, int mailboxIndex, const int (&offsets)[8], int code, int by) {
  for (int d : offsets) {
    const int sq = Mailbox[mailboxIndex + d];
    if (sq >= 0 && pos.SquareColour[sq] == by && pos.SquarePiece[sq] == code) return true;
  }
  return false;
}

// Walks the first four directions of offsets; true when the first piece met
// is of colour by and of code slider or queen.
inline bool RayAttacker(const Position& pos, int mailboxIndex, const int (&offsets)[8], int slider, int by) {
  for (int i = 0; i < 4; ++i) {
    const int d = offsets[i];
    int m = mailboxIndex + d;
    int sq;
    while ((sq = Mailbox[m]) >= 0) {
      const int colour = pos.SquareColour[sq];
      if (colour != kNoColour) {
        if (colour == by) {
          const int code = pos.SquarePiece[sq];
          if (code == slider || code == kQueen) return true;
        }
        break;
      }
      m += d;
    }
  }
  return false;
}

}  // namespace attack_detail

// True when a piece of colour by attacks target (0-63); any other target
// (square 64: a side without a king) is attacked by nothing.
inline bool SquareAttackedBy(const Position& pos, int target, int by) {
  using namespace attack_detail;
  if (static_cast<unsigned>(target) >= 64u) return false;
  const int mb = Mailbox64[target];
  // A White pawn attacks one row up, so it stands one row below the target.
  const int pawnRow = by == kWhite ? 10 : -10;
  for (int side = -1; side <= 1; side += 2) {
    const int sq = Mailbox[mb + pawnRow + side];
    if (sq >= 0 && pos.SquareColour[sq] == by && pos.SquarePiece[sq] == kPawn) return true;
  }
  if (StepAttacker(pos, mb, PieceOffsets[kKnight], kKnight, by)) return true;
  if (RayAttacker(pos, mb, PieceOffsets[kBishop], kBishop, by)) return true;
  if (RayAttacker(pos, mb, PieceOffsets[kRook], kRook, by)) return true;
  return StepAttacker(pos, mb, PieceOffsets[kKing], kKing, by);
}

inline int KingSquare(const Position& pos, int colour) {
  return pos.PieceAr[colour == kWhite ? pos.LightStart : pos.DarkStart];
}

}  // namespace morvi
