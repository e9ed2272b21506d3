// FEN text to position, for tests and morvi-bench. The text is checked in
// full before anything changes; a refused FEN leaves the position untouched.
// Refused: malformed fields, not exactly one king per side, more than 16
// pieces of a side, a pawn on the first or last rank. Sanitised: castling
// rights whose king and rook are not at home are dropped, and an en-passant
// square with no pawn just passed over it becomes -1.
#include "board/fen.h"

#include <cctype>
#include <string>

#include "board/geometry.h"
#include "board/notation.h"

namespace morvi {
namespace {

using enum Colour;

struct FenBoard {
  int piece[64];
  Colour colour[64];
};

// Splits off the next blank-separated field; empty when none is left.
std::string_view NextField(std::string_view& text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    text = {};
    return {};
  }
  size_t stop = text.find(' ', start);
  if (stop == std::string_view::npos) stop = text.size();
  std::string_view field = text.substr(start, stop - start);
  text.remove_prefix(stop);
  return field;
}

bool ParsePlacement(std::string_view field, FenBoard& board) {
  ByColour<int> counts = {};
  ByColour<int> kings = {};
  int row = 0;
  int file = 0;
  for (char c : field) {
    if (c == '/') {
      if (file != 8) return false;
      ++row;
      file = 0;
      if (row > 7) return false;
    } else if (c >= '1' && c <= '8') {
      for (int n = c - '0'; n > 0; --n, ++file) {
        if (file > 7) return false;
        board.piece[row * 8 + file] = kEmpty;
        board.colour[row * 8 + file] = Colour::kNone;
      }
    } else {
      const int code = PieceFromLetter(c, LetterCase::kEither);
      if (code < 0 || file > 7) return false;
      const Colour colour = std::isupper(static_cast<unsigned char>(c)) ? kWhite : kBlack;
      if (code == kPawn && (row == 0 || row == 7)) return false;
      board.piece[row * 8 + file] = code;
      board.colour[row * 8 + file] = colour;
      ++counts[colour];
      if (code == kKing) ++kings[colour];
      ++file;
    }
  }
  return row == 7 && file == 8 && kings[kWhite] == 1 && kings[kBlack] == 1 && counts[kWhite] <= 16 &&
         counts[kBlack] <= 16;
}

bool ParseCastling(std::string_view field, int& bits) {
  bits = 0;
  if (field == "-") return true;
  for (char c : field) {
    switch (c) {
      case 'K': bits |= kWhiteKingSide; break;
      case 'Q': bits |= kWhiteQueenSide; break;
      case 'k': bits |= kBlackKingSide; break;
      case 'q': bits |= kBlackQueenSide; break;
      default: return false;
    }
  }
  return !field.empty();
}

bool ParseSquare(std::string_view field, int& square) {
  if (field == "-") {
    square = -1;
    return true;
  }
  const int named = SquareFromName(field);
  if (named < 0) return false;
  square = named;
  return true;
}

bool ParseCount(std::string_view field, int& value) {
  if (field.empty() || field.size() > 6) return false;
  value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool Owns(const Position& pos, int square, int piece, Colour colour) {
  return pos.SquarePiece[square] == piece && pos.SquareColour[square] == colour;
}

// Keeps only the rights whose king and rook stand on their home squares.
int SaneCastling(const Position& pos, int bits) {
  if (!Owns(pos, 60, kKing, kWhite)) bits &= ~(kWhiteKingSide | kWhiteQueenSide);
  if (!Owns(pos, 63, kRook, kWhite)) bits &= ~kWhiteKingSide;
  if (!Owns(pos, 56, kRook, kWhite)) bits &= ~kWhiteQueenSide;
  if (!Owns(pos, 4, kKing, kBlack)) bits &= ~(kBlackKingSide | kBlackQueenSide);
  if (!Owns(pos, 7, kRook, kBlack)) bits &= ~kBlackKingSide;
  if (!Owns(pos, 0, kRook, kBlack)) bits &= ~kBlackQueenSide;
  return bits;
}

// The square a pawn of the other side just passed over: empty, on the third
// row from that side, with that pawn right in front of it.
int SaneEpSquare(const Position& pos, int square) {
  if (square < 0) return -1;
  const Colour side = pos.SideToMove;
  const int row = RowOf(square);
  if (side == kWhite && row == 2 && pos.SquarePiece[square] == kEmpty && Owns(pos, square + 8, kPawn, kBlack)) {
    return square;
  }
  if (side == kBlack && row == 5 && pos.SquarePiece[square] == kEmpty && Owns(pos, square - 8, kPawn, kWhite)) {
    return square;
  }
  return -1;
}

}  // namespace

bool LoadFen(Position& pos, std::string_view fen, int* fullMoveNumber) {
  FenBoard board;
  int castling = 0;
  int ep = -1;
  int fifty = 0;
  int moveNumber = 1;
  const std::string_view placement = NextField(fen);
  const std::string_view side = NextField(fen);
  if (!ParsePlacement(placement, board) || (side != "w" && side != "b")) return false;
  if (!ParseCastling(NextField(fen), castling) || !ParseSquare(NextField(fen), ep)) return false;
  const std::string_view fiftyField = NextField(fen);
  if (!fiftyField.empty()) {
    if (!ParseCount(fiftyField, fifty) || !ParseCount(NextField(fen), moveNumber)) return false;
  }
  if (!NextField(fen).empty()) return false;

  for (int s = 0; s < 64; ++s) {
    pos.SquarePiece[s] = board.piece[s];
    pos.SquareColour[s] = board.colour[s];
  }
  pos.SquarePiece[kOffBoard] = kEmpty;
  pos.SquareColour[kOffBoard] = Colour::kNone;
  pos.PieceArIndex[kOffBoard] = -1;
  pos.LightStart = 0;
  pos.DarkStart = 16;
  pos.DarkEnd = 32;
  pos.RebuildPieceList();
  pos.SideToMove = side == "w" ? kWhite : kBlack;
  pos.CastleBits = SaneCastling(pos, castling);
  pos.EpSquare = SaneEpSquare(pos, ep);
  pos.FiftyCount = fifty;
  pos.RefreshKey();
  pos.ArchiveCount = 0;
  pos.RepeatCount = 0;
  pos.eval.stageMaterial[kWhite] = 39000;
  pos.eval.stageMaterial[kBlack] = 39000;
  if (fullMoveNumber != nullptr) *fullMoveNumber = moveNumber < 1 ? 1 : moveNumber;
  return true;
}

}  // namespace morvi
