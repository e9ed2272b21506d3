// The shared ray and step table against a plain walk of the board by rows and
// files: every square, line and step, in the order the move generator, the
// attack test and the evaluation's attack counts rely on.
#include <gtest/gtest.h>

#include <vector>

#include "board/rays.h"

namespace morvi::test {
namespace {

struct Step {
  int rows, files;
};

// The eight lines by number (row 0 holds a8..h8): diagonals first, then the
// file towards row 0, the row towards file a, towards file h, the file
// towards row 7.
constexpr Step kLines[8] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}, {-1, 0}, {0, -1}, {0, 1}, {1, 0}};
constexpr Step kKnightSteps[8] = {{-2, -1}, {-2, 1}, {-1, -2}, {-1, 2}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};

bool OnBoard(int row, int file) { return row >= 0 && row < 8 && file >= 0 && file < 8; }

std::vector<int> Walk(int s, Step step, int limit) {
  std::vector<int> squares;
  int row = s / 8 + step.rows, file = s % 8 + step.files;
  for (; OnBoard(row, file) && static_cast<int>(squares.size()) < limit; row += step.rows, file += step.files) {
    squares.push_back(row * 8 + file);
  }
  return squares;
}

std::vector<int> Jumps(int s, const Step (&steps)[8]) {
  std::vector<int> squares;
  for (Step step : steps) {
    const std::vector<int> one = Walk(s, step, 1);
    squares.insert(squares.end(), one.begin(), one.end());
  }
  return squares;
}

std::vector<int> Entries(const signed char* squares, int count) { return {squares, squares + count}; }

TEST(SquareRays, LinesMatchAWalkOfTheBoard) {
  for (int s = 0; s < 64; ++s) {
    for (int d = 0; d < 8; ++d) {
      EXPECT_EQ(Entries(kSquareRays.ray[s][d], kSquareRays.rayLength[s][d]), Walk(s, kLines[d], 8))
          << "square " << s << " line " << d;
    }
  }
}

TEST(SquareRays, LineNumbersFollowTheMailboxSteps) {
  for (int d = 0; d < 8; ++d) {
    EXPECT_EQ(kLineSteps[d], 10 * kLines[d].rows + kLines[d].files) << "line " << d;
    EXPECT_EQ(d < kDiagonalLines, kLines[d].rows != 0 && kLines[d].files != 0) << "line " << d;
  }
}

TEST(SquareRays, KnightAndKingTargetsInStepOrder) {
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(Entries(kSquareRays.knight[s], kSquareRays.knightCount[s]), Jumps(s, kKnightSteps)) << "square " << s;
    EXPECT_EQ(Entries(kSquareRays.king[s], kSquareRays.kingCount[s]), Jumps(s, kLines)) << "square " << s;
  }
}

TEST(SquareRays, CornersAndCentre) {
  // a8 (0): three lines, two knight and three king targets; d5 (27) all 27 line squares.
  int corner = 0, centre = 0;
  for (int d = 0; d < 8; ++d) {
    corner += kSquareRays.rayLength[0][d] > 0;
    centre += kSquareRays.rayLength[27][d];
  }
  EXPECT_EQ(corner, 3);
  EXPECT_EQ(centre, 27);
  EXPECT_EQ(kSquareRays.knightCount[0], 2);
  EXPECT_EQ(kSquareRays.kingCount[0], 3);
  EXPECT_EQ(kSquareRays.knightCount[27], 8);
  EXPECT_EQ(kSquareRays.kingCount[63], 3);
}

}  // namespace
}  // namespace morvi::test
