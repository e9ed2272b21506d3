// Board geometry shared by move generation, attack tests and the evaluation:
// the 10x12 mailbox, the piece step tables, the castling masks, and the
// square contents and the piece list of the initial position.
#pragma once

#include "board/colour.h"

namespace morvi {

// -1 marks the border; the inner 8x8 holds square numbers (square 0 at 21).
constexpr int Mailbox[120] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
    -1, 0,  1,  2,  3,  4,  5,  6,  7,  -1,  //
    -1, 8,  9,  10, 11, 12, 13, 14, 15, -1,  //
    -1, 16, 17, 18, 19, 20, 21, 22, 23, -1,  //
    -1, 24, 25, 26, 27, 28, 29, 30, 31, -1,  //
    -1, 32, 33, 34, 35, 36, 37, 38, 39, -1,  //
    -1, 40, 41, 42, 43, 44, 45, 46, 47, -1,  //
    -1, 48, 49, 50, 51, 52, 53, 54, 55, -1,  //
    -1, 56, 57, 58, 59, 60, 61, 62, 63, -1,  //
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// Mailbox index of each square: 21 + 10 * row + file.
constexpr int Mailbox64[64] = {
    21, 22, 23, 24, 25, 26, 27, 28,  //
    31, 32, 33, 34, 35, 36, 37, 38,  //
    41, 42, 43, 44, 45, 46, 47, 48,  //
    51, 52, 53, 54, 55, 56, 57, 58,  //
    61, 62, 63, 64, 65, 66, 67, 68,  //
    71, 72, 73, 74, 75, 76, 77, 78,  //
    81, 82, 83, 84, 85, 86, 87, 88,  //
    91, 92, 93, 94, 95, 96, 97, 98};

// Mailbox steps per piece code (pawns are handled apart).
constexpr int PieceOffsets[6][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {-21, -19, -12, -8, 8, 12, 19, 21},
    {-11, -9, 9, 11, 0, 0, 0, 0},
    {-10, -1, 1, 10, 0, 0, 0, 0},
    {-11, -10, -9, -1, 1, 9, 10, 11},
    {-11, -10, -9, -1, 1, 9, 10, 11}};
constexpr int OffsetCount[6] = {0, 8, 4, 4, 8, 8};
constexpr bool Slides[6] = {false, false, true, true, true, false};

// ANDed into the castling bits for the from- and to-square of every move.
constexpr int CastleMask[64] = {
    55, 63, 63, 63, 51, 63, 63, 59,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    63, 63, 63, 63, 63, 63, 63, 63,  //
    61, 63, 63, 63, 60, 63, 63, 62};

// The initial position, square by square (entry 64 is the off-board square):
// Black on the first two rows, White on the last two.
constexpr Colour InitialSquareColour(int square) {
  if (square < 16) return Colour::kBlack;
  return square >= 48 && square < 64 ? Colour::kWhite : Colour::kNone;
}
constexpr int InitialSquarePiece[65] = {
    3, 1, 2, 4, 5, 2, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0,  //
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,  //
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,  //
    0, 0, 0, 0, 0, 0, 0, 0, 3, 1, 2, 4, 5, 2, 1, 3,  //
    6};
constexpr int InitialPieceArIndex[65] = {
    22, 18, 20, 17, 16, 21, 19, 23, 24, 25, 26, 27, 28, 29, 30, 31,  //
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
    8,  9,  10, 11, 12, 13, 14, 15, 6,  2,  4,  1,  0,  5,  3,  7,   //
    -1};
// Each side: king, queen, knights, bishops, rooks, pawns.
constexpr int InitialPieceAr[32] = {
    60, 59, 57, 62, 58, 61, 56, 63, 48, 49, 50, 51, 52, 53, 54, 55,  //
    4,  3,  1,  6,  2,  5,  0,  7,  8,  9,  10, 11, 12, 13, 14, 15};

constexpr int FileOf(int square) { return square & 7; }
constexpr int RowOf(int square) { return square >> 3; }

}  // namespace morvi
