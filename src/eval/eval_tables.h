// The evaluation's constant tables: the piece-square tables (indexed by square
// as White sees the board, Black reading the vertically mirrored square
// through Flip) and the passed-pawn bonus by row, all built at compile time.
// The rays and steps the attack counts walk are the board's (board/rays.h).
#pragma once

#include <array>

namespace morvi::evaltables {

using Table = std::array<int, 64>;

// Flip[s]: the same square seen from Black's side (s XOR 56).
constexpr std::array<int, 64> Flip = [] {
  std::array<int, 64> flip{};
  for (int s = 0; s < 64; ++s) flip[s] = s ^ 56;
  return flip;
}();

constexpr Table PawnTable = {
    0,  0,  0,   0,   0,   0,   0,   0,   //
    50, 100, 150, 200, 200, 150, 100, 50,  //
    40, 80, 120, 160, 160, 120, 80,  40,  //
    30, 60, 90,  120, 120, 90,  60,  30,  //
    20, 40, 60,  80,  80,  60,  40,  20,  //
    10, 20, 30,  40,  40,  30,  20,  10,  //
    0,  0,  0,   -20, -20, 0,   0,   0,   //
    0,  0,  0,   0,   0,   0,   0,   0};

constexpr Table PawnEndTable = {
    0,   0,   0,   0,   0,   0,   0,   0,    //
    200, 250, 250, 350, 350, 250, 250, 200,  //
    100, 128, 128, 200, 200, 128, 128, 100,  //
    50,  64,  64,  100, 100, 64,  64,  50,   //
    20,  40,  40,  50,  50,  40,  40,  20,   //
    0,   10,  10,  20,  20,  10,  10,  0,    //
    -20, -20, -20, -20, -20, -20, -20, -20,  //
    0,   0,   0,   0,   0,   0,   0,   0};

constexpr Table KnightTable = {
    -100, -100, -100, -100, -100, -100, -100, -100,  //
    -100, 0,    0,    0,    0,    0,    0,    -100,  //
    -100, 0,    50,   50,   50,   50,   0,    -100,  //
    -100, 0,    50,   100,  100,  50,   0,    -100,  //
    -100, 0,    50,   100,  100,  50,   0,    -100,  //
    -100, 0,    50,   50,   50,   50,   0,    -100,  //
    -100, 0,    0,    0,    0,    0,    0,    -100,  //
    -100, -300, -100, -100, -100, -100, -300, -100};

constexpr Table BishopTable = {
    -100, -100, -100, -100, -100, -100, -100, -100,  //
    -100, 0,    0,    0,    0,    0,    0,    -100,  //
    -100, 0,    50,   50,   50,   50,   0,    -100,  //
    -100, 0,    50,   100,  100,  50,   0,    -100,  //
    -100, 0,    50,   100,  100,  50,   0,    -100,  //
    -100, 0,    50,   50,   50,   50,   0,    -100,  //
    -100, 0,    0,    0,    0,    0,    0,    -100,  //
    -100, -100, -200, -100, -100, -200, -100, -100};

constexpr Table KingTable = {
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -80, -80, -80, -80, -80, -80, -80, -80,  //
    -40, -40, -40, -40, -40, -40, -40, -40,  //
    0,   40,  80,  -40, 0,   -40, 80,  40};

constexpr Table KingEndTable = {
    0,   100, 150, 200, 200, 150, 100, 0,    //
    100, 200, 300, 400, 400, 300, 200, 100,  //
    150, 300, 400, 500, 500, 400, 300, 150,  //
    200, 400, 500, 600, 600, 500, 400, 200,  //
    200, 400, 500, 600, 600, 500, 400, 200,  //
    150, 300, 400, 500, 500, 400, 300, 150,  //
    100, 200, 300, 400, 400, 300, 200, 100,  //
    0,   100, 150, 200, 200, 150, 100, 0};

// Passed-pawn bonus by row: k x 128 x (rows still to go), k being 3 near
// promotion, 2 in the middle, 1 at home. Rows 0 and 7 hold no pawn.
constexpr std::array<int, 8> WhitePassedBonus = {0, 3 * 128 * 6, 3 * 128 * 5, 2 * 128 * 4,
                                                 2 * 128 * 3, 1 * 128 * 2, 1 * 128 * 1, 0};
constexpr std::array<int, 8> BlackPassedBonus = {0, 1 * 128 * 1, 1 * 128 * 2, 2 * 128 * 3,
                                                 2 * 128 * 4, 3 * 128 * 5, 3 * 128 * 6, 0};

}  // namespace morvi::evaltables
