// The square and move text of the whole engine, both ways: file letters and
// rank digits, square names, piece and promotion letters, a move's
// coordinate text ("e2e4", into a caller's buffer or as a string), and the
// coordinate form "e2e4" / "e7e8q" read back into two squares and a
// promotion piece. Squares run 0 (a8) .. 63 (h1); piece codes are those of
// position.h (pawn 0, knight 1, bishop 2, rook 3, queen 4, king 5).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "board/move.h"

namespace morvi {

// Piece letters indexed by piece code.
inline constexpr std::string_view kPieceLetters = "PNBRQK";
inline constexpr std::string_view kLowerPieceLetters = "pnbrqk";

// Which case of a letter a reader takes.
enum class LetterCase { kLower, kUpper, kEither };

constexpr bool IsFileLetter(char c) { return c >= 'a' && c <= 'h'; }
constexpr bool IsRankDigit(char c) { return c >= '1' && c <= '8'; }

// File 0 .. 7 of letters 'a' .. 'h' and row 0 .. 7 of digits '8' .. '1',
// and back; unchecked, so other characters and numbers follow the same rule.
constexpr int FileOfLetter(char c) { return c - 'a'; }
constexpr int RowOfDigit(char c) { return '8' - c; }
constexpr char FileLetter(int file) { return static_cast<char>('a' + file); }
constexpr char RankDigit(int row) { return static_cast<char>('8' - row); }

// The square of a file letter and a rank digit by the formula alone: any two
// characters give a number, which is no square for a text that names none
// ("i9" gives 0). The book reads the moves of its lines this way.
constexpr int UncheckedSquare(char fileLetter, char rankDigit) {
  return FileOfLetter(fileLetter) + 8 * RowOfDigit(rankDigit);
}

// The square a two-character lower-case name such as "e4" names; -1 for any
// other text.
int SquareFromName(std::string_view name);

// The two characters of a square (no NUL): its file letter and rank digit.
// A number outside 0-63 gives characters by the same rule ('a' + (square &
// 7), '8' - (square >> 3)): -1 gives "h9", 64 gives "a0".
void WriteSquare(int square, char* out);

constexpr char PieceLetter(int piece) { return kPieceLetters[piece]; }
constexpr char LowerPieceLetter(int piece) { return kLowerPieceLetters[piece]; }

// The piece code of a piece letter in the case accepted, or -1.
int PieceFromLetter(char c, LetterCase accepted);
// The same for the letter of a promotion piece (knight, bishop, rook or
// queen); -1 for a pawn's or a king's letter too.
int PromotionFromLetter(char c, LetterCase accepted);

// Coordinate text of a move, "e2e4", into out (kMoveTextSize chars: four and
// a NUL); no promotion letter. The squares are taken modulo 64, so that any
// move word gives four characters.
constexpr std::size_t kMoveTextSize = 5;
void MoveTextTo(Move move, char* out);
std::string MoveText(Move move);

// The move as a game move is written to the opponent: the coordinates, then
// for an under-promotion its piece letter in lower case ("e7e8n"); a queen
// promotion gets its "q" only when queenLetter is set ("e7e8" or "e7e8q").
std::string GameMoveText(Move move, bool queenLetter = false);

// The thinking line's text of a move: the squares read as signed bytes
// (MoveFrom, MoveTo), each written as its file letter and its rank as a
// decimal number, so that a byte outside 0-63 still gives a text ("h9" for
// -1, "h10" for -9, "h-7" for 127). Written into room chars the way snprintf
// writes: cut to room - 1 characters and closed by a NUL (nothing at all for
// room 0). Returns the characters written, at most kSignedMoveTextMax.
constexpr std::size_t kSignedMoveTextMax = 6;
std::size_t SignedMoveTextTo(Move move, char* out, std::size_t room);

// A move read from its coordinate text; promotion is -1 when the text names
// none.
struct CoordinateMove {
  int from = -1;
  int to = -1;
  int promotion = -1;
};

// True for four or five characters of which the first four name two squares
// in lower case ("e2e4"); a fifth character is not looked at.
bool HasCoordinateSquares(std::string_view text);

// Reads "e2e4" or "e7e8q": two squares in lower case, then optionally the
// letter of a knight, bishop, rook or queen in the case accepted. False, and
// move left as it was, for any other text.
bool ParseCoordinateMove(std::string_view text, LetterCase promotionCase, CoordinateMove& move);

}  // namespace morvi
