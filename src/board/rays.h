// The lines and steps out of every square, built once at compile time from
// the mailbox: for each square the squares along each of its eight lines,
// nearest first, and the squares a knight or a king reaches in one step. The
// attack test, the move generator and the evaluation's attack counts all walk
// this one table.
#pragma once

#include "board/geometry.h"
#include "board/position.h"

namespace morvi {

// Mailbox steps of the eight lines, by line number: 0-3 the diagonals (-11,
// -9 towards row 0, +9, +11 towards row 7), 4-7 the ranks and files (-10 and
// +10 along the file, -1 and +1 along the row). A king steps in this order.
constexpr int kLineSteps[8] = {-11, -9, 9, 11, -10, -1, 1, 10};
constexpr int kDiagonalLines = 4;

struct SquareRays {
  signed char ray[64][8][8] = {};      // squares along line d out of s, nearest first
  signed char rayLength[64][8] = {};
  signed char knight[64][8] = {};      // knight targets, in PieceOffsets order
  signed char knightCount[64] = {};
  signed char king[64][8] = {};        // king targets, in line order
  signed char kingCount[64] = {};
};

namespace rays_detail {

constexpr void FillRay(SquareRays& t, int s, int d) {
  for (int m = Mailbox64[s] + kLineSteps[d]; Mailbox[m] >= 0; m += kLineSteps[d]) {
    t.ray[s][d][t.rayLength[s][d]++] = static_cast<signed char>(Mailbox[m]);
  }
}

// The squares one of the eight steps away from s, kept in step order.
constexpr void FillSteps(signed char (&targets)[8], signed char& count, int s, const int (&steps)[8]) {
  for (int step : steps) {
    const int n = Mailbox[Mailbox64[s] + step];
    if (n >= 0) targets[count++] = static_cast<signed char>(n);
  }
}

constexpr SquareRays BuildSquareRays() {
  SquareRays t;
  for (int s = 0; s < 64; ++s) {
    for (int d = 0; d < 8; ++d) FillRay(t, s, d);
    FillSteps(t.knight[s], t.knightCount[s], s, PieceOffsets[kKnight]);
    FillSteps(t.king[s], t.kingCount[s], s, kLineSteps);
  }
  return t;
}

}  // namespace rays_detail

inline constexpr SquareRays kSquareRays = rays_detail::BuildSquareRays();

}  // namespace morvi
