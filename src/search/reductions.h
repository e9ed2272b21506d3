// The late-move reduction table of the full search: how many plies less a
// move is searched, by the node's depth and the move's number among those
// tried there, r = 0.75 + ln(depth) * ln(number) / 2.25, rounded down and
// never negative. The first move, and any move at depth 1, is never reduced.
// Built at compile time.
#pragma once

namespace morvi {

constexpr int kReductionRows = 64;  // depths and move numbers past the last row read the last row

namespace reductions_detail {

constexpr double kLn2 = 0.693147180559945309;

// ln(x) for x >= 1: x halved down into [1, 2), then the series of
// 2 atanh((x - 1) / (x + 1)), which converges fast there.
constexpr double Ln(double x) {
  double halvings = 0;
  while (x >= 2.0) {
    x /= 2.0;
    halvings += 1;
  }
  const double y = (x - 1) / (x + 1);
  double term = y;
  double sum = 0;
  for (int k = 1; k < 60; k += 2) {
    sum += term / k;
    term *= y * y;
  }
  return halvings * kLn2 + 2 * sum;
}

struct ReductionTable {
  signed char plies[kReductionRows][kReductionRows] = {};
};

constexpr ReductionTable BuildReductions() {
  ReductionTable table;
  for (int depth = 1; depth < kReductionRows; ++depth) {
    for (int number = 1; number < kReductionRows; ++number) {
      const double r = 0.75 + Ln(depth) * Ln(number) / 2.25;
      table.plies[depth][number] = static_cast<signed char>(depth == 1 || number == 1 ? 0 : r);
    }
  }
  return table;
}

}  // namespace reductions_detail

inline constexpr reductions_detail::ReductionTable kReductions = reductions_detail::BuildReductions();

// The table's reduction for a move numbered `number` (1: the first tried) at a
// node of `depth` plies.
constexpr int LateMoveReduction(int depth, int number) {
  const int d = depth < kReductionRows ? depth : kReductionRows - 1;
  const int n = number < kReductionRows ? number : kReductionRows - 1;
  return d < 1 || n < 1 ? 0 : kReductions.plies[d][n];
}

}  // namespace morvi
