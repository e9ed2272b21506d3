// The square and move text codec. Reading refuses whatever names no square
// or piece; writing never refuses: every number gives characters by the same
// rules, so that even a stray move word prints as something.
#include "board/notation.h"

#include <algorithm>
#include <cstring>

#include "board/geometry.h"
#include "board/position.h"

namespace morvi {
namespace {

static_assert(kPieceLetters.size() == kKing + 1 && kPieceLetters[kPawn] == 'P' && kPieceLetters[kKnight] == 'N' &&
              kPieceLetters[kQueen] == 'Q' && kPieceLetters[kKing] == 'K');
static_assert(kLowerPieceLetters.size() == kPieceLetters.size());

constexpr bool IsPromotionPiece(int piece) { return piece >= kKnight && piece <= kQueen; }

int IndexIn(std::string_view letters, char c) {
  const std::size_t at = letters.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// A rank as a decimal number; the thinking line's ranks run -7 .. 24.
std::size_t WriteRankNumber(int rank, char* out) {
  std::size_t n = 0;
  if (rank < 0) {
    out[n++] = '-';
    rank = -rank;
  }
  if (rank >= 10) out[n++] = static_cast<char>('0' + rank / 10);
  out[n++] = static_cast<char>('0' + rank % 10);
  return n;
}

std::size_t WriteSignedSquare(int square, char* out) {
  out[0] = FileLetter(FileOf(square));
  return 1 + WriteRankNumber(8 - RowOf(square), out + 1);
}

}  // namespace

int SquareFromName(std::string_view name) {
  if (name.size() != 2 || !IsFileLetter(name[0]) || !IsRankDigit(name[1])) return -1;
  return UncheckedSquare(name[0], name[1]);
}

void WriteSquare(int square, char* out) {
  out[0] = FileLetter(FileOf(square));
  out[1] = RankDigit(RowOf(square));
}

int PieceFromLetter(char c, LetterCase accepted) {
  const int lower = accepted == LetterCase::kUpper ? -1 : IndexIn(kLowerPieceLetters, c);
  const int upper = accepted == LetterCase::kLower ? -1 : IndexIn(kPieceLetters, c);
  return lower >= 0 ? lower : upper;
}

int PromotionFromLetter(char c, LetterCase accepted) {
  const int piece = PieceFromLetter(c, accepted);
  return IsPromotionPiece(piece) ? piece : -1;
}

void MoveTextTo(Move move, char* out) {
  WriteSquare(MoveFrom(move) & 63, out);
  WriteSquare(MoveTo(move) & 63, out + 2);
  out[4] = '\0';
}

std::string MoveText(Move move) {
  char text[kMoveTextSize];
  MoveTextTo(move, text);
  return std::string(text, 4);
}

std::string GameMoveText(Move move, bool queenLetter) {
  std::string text = MoveText(move);
  if ((MoveFlags(move) & kPromotion) == 0) return text;
  const int piece = MovePromotion(move);
  if (!IsPromotionPiece(piece)) return text;
  if (piece != kQueen || queenLetter) text += LowerPieceLetter(piece);
  return text;
}

std::size_t SignedMoveTextTo(Move move, char* out, std::size_t room) {
  if (room == 0) return 0;
  char text[kSignedMoveTextMax];
  std::size_t length = WriteSignedSquare(MoveFrom(move), text);
  length += WriteSignedSquare(MoveTo(move), text + length);
  length = std::min(length, room - 1);
  std::memcpy(out, text, length);
  out[length] = '\0';
  return length;
}

bool HasCoordinateSquares(std::string_view text) {
  return (text.size() == 4 || text.size() == 5) && SquareFromName(text.substr(0, 2)) >= 0 &&
         SquareFromName(text.substr(2, 2)) >= 0;
}

bool ParseCoordinateMove(std::string_view text, LetterCase promotionCase, CoordinateMove& move) {
  if (!HasCoordinateSquares(text)) return false;
  const int promotion = text.size() == 5 ? PromotionFromLetter(text[4], promotionCase) : -1;
  if (text.size() == 5 && promotion < 0) return false;
  move = {SquareFromName(text.substr(0, 2)), SquareFromName(text.substr(2, 2)), promotion};
  return true;
}

}  // namespace morvi
