// The move reader: a text is first taken apart into what it says about the
// move (piece, destination, the from-file or from-row given, the promotion
// piece, castling), then held against each legal move of the position. The
// capture sign is checked for its place in the text but not against the
// board: the destination and the piece already say what is taken.
#include "board/san.h"

#include <vector>

#include "board/geometry.h"
#include "board/notation.h"

namespace morvi {
namespace {

// What an algebraic text says; -1 for what it leaves open.
struct SanPattern {
  int castle = 0;  // the king's step of a castling (+2 or -2), 0 for other moves
  int piece = kPawn;
  int to = -1;
  int fromFile = -1;
  int fromRow = -1;
  int promotion = kNoPromotion;
};

// The piece code of an upper-case piece letter, or -1: in algebraic notation
// the pawn has no letter, so "P" names nothing.
int PieceOfLetter(char c) {
  const int piece = PieceFromLetter(c, LetterCase::kUpper);
  return piece == kPawn ? -1 : piece;
}

int PromotionLetter(char c) { return PromotionFromLetter(c, LetterCase::kUpper); }

// The promotion piece a move carries, kNoPromotion when it promotes nothing.
int PromotionOf(Move move) {
  return (MoveFlags(move) & kPromotion) ? MovePromotion(move) : kNoPromotion;
}

// The text without trailing check, mate and annotation signs or "e.p.".
std::string_view StripAnnotations(std::string_view text) {
  for (;;) {
    if (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos) {
      text.remove_suffix(1);
    } else if (text.ends_with("e.p.")) {
      text.remove_suffix(4);
    } else {
      return text;
    }
  }
}

bool ReadCastling(std::string_view text, SanPattern& pattern) {
  if (text == "O-O" || text == "0-0") pattern.castle = 2;
  if (text == "O-O-O" || text == "0-0-0") pattern.castle = -2;
  return pattern.castle != 0;
}

// Takes the promotion piece ("=Q" or "Q") and the destination off the end.
bool ReadTail(std::string_view& text, SanPattern& pattern) {
  if (!text.empty() && PromotionLetter(text.back()) >= 0) {
    pattern.promotion = PromotionLetter(text.back());
    text.remove_suffix(1);
    if (text.ends_with('=')) text.remove_suffix(1);
  }
  if (text.size() < 2) return false;
  pattern.to = SquareFromName(text.substr(text.size() - 2));
  text.remove_suffix(2);
  return pattern.to >= 0;
}

// Reads what stands before the destination: piece letter, from-file,
// from-rank, capture sign, each optional and in this order.
bool ReadHead(std::string_view text, SanPattern& pattern, bool& capture) {
  if (!text.empty() && PieceOfLetter(text.front()) >= 0) {
    pattern.piece = PieceOfLetter(text.front());
    text.remove_prefix(1);
  }
  capture = text.ends_with('x') || text.ends_with(':');
  if (capture) text.remove_suffix(1);
  if (!text.empty() && IsFileLetter(text.front())) {
    pattern.fromFile = FileOfLetter(text.front());
    text.remove_prefix(1);
  }
  if (!text.empty() && IsRankDigit(text.front())) {
    pattern.fromRow = RowOfDigit(text.front());
    text.remove_prefix(1);
  }
  return text.empty();
}

bool ParseSan(std::string_view text, SanPattern& pattern) {
  if (ReadCastling(text, pattern)) return true;
  bool capture = false;
  if (!ReadTail(text, pattern) || !ReadHead(text, pattern, capture)) return false;
  if (pattern.piece != kPawn) return pattern.promotion == kNoPromotion;
  if (pattern.fromFile >= 0) return true;
  // A pawn's step names only its destination: the pawn is on that file.
  pattern.fromFile = FileOf(pattern.to);
  return !capture;
}

bool FitsSan(const Position& pos, Move move, const SanPattern& pattern) {
  const int from = MoveFrom(move);
  const bool castling = (MoveFlags(move) & kCastle) != 0;
  if (pattern.castle != 0) return castling && MoveTo(move) - from == pattern.castle;
  if (castling || pos.SquarePiece[from] != pattern.piece || MoveTo(move) != pattern.to) return false;
  if (pattern.fromFile >= 0 && FileOf(from) != pattern.fromFile) return false;
  if (pattern.fromRow >= 0 && RowOf(from) != pattern.fromRow) return false;
  // Without a piece a promotion is left open: the four of them all fit.
  return pattern.promotion == kNoPromotion || PromotionOf(move) == pattern.promotion;
}

bool IsLegal(Position& pos, Move move) {
  UndoRecord undo;
  if (!pos.MakeMove(move, undo)) return false;
  pos.UnmakeMove(move, undo);
  return true;
}

// The one legal move that fits, or why there is none.
template <typename Fits>
ReadMove PickLegal(Position& pos, Fits fits) {
  std::vector<MoveEntry> list(kMoveStackSize);
  int end = 0;
  pos.GenerateMoves(list.data(), &end);
  ReadMove read;
  int count = 0;
  for (int i = 0; i < end; ++i) {
    if (!fits(list[i].move) || !IsLegal(pos, list[i].move)) continue;
    read.move = list[i].move;
    ++count;
  }
  if (count == 1) return {MoveReading::kFound, read.move};
  return {count == 0 ? MoveReading::kNone : MoveReading::kAmbiguous, 0};
}

// Coordinates take the promotion letter in either case.
bool ReadCoordinateForm(std::string_view text, CoordinateMove& read) {
  return ParseCoordinateMove(text, LetterCase::kEither, read);
}

bool HasCoordinateForm(std::string_view text) {
  CoordinateMove read;
  return ReadCoordinateForm(text, read);
}

}  // namespace

ReadMove ReadSan(Position& pos, std::string_view text) {
  SanPattern pattern;
  if (!ParseSan(StripAnnotations(text), pattern)) return {};
  return PickLegal(pos, [&](Move move) { return FitsSan(pos, move, pattern); });
}

ReadMove ReadCoordinates(Position& pos, std::string_view text) {
  CoordinateMove read;
  if (!ReadCoordinateForm(StripAnnotations(text), read)) return {};
  // Without its letter a promotion is the queen's.
  const int wanted = read.promotion < 0 ? kQueen : read.promotion;
  return PickLegal(pos, [&](Move move) {
    if (MoveFrom(move) != read.from || MoveTo(move) != read.to) return false;
    const int promotion = PromotionOf(move);
    return promotion == kNoPromotion ? read.promotion < 0 : promotion == wanted;
  });
}

ReadMove ReadMoveText(Position& pos, std::string_view text) {
  return HasCoordinateForm(StripAnnotations(text)) ? ReadCoordinates(pos, text) : ReadSan(pos, text);
}

}  // namespace morvi
