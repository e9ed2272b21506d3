// The move reader: a text is first taken apart into what it says about the
// move (piece, destination, the from-file or from-row given, the promotion
// piece, castling), then held against each legal move of the position. The
// capture sign is checked for its place in the text but not against the
// board: the destination and the piece already say what is taken.
#include "board/san.h"

#include <cctype>
#include <vector>

#include "board/geometry.h"

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

bool IsFileLetter(char c) { return c >= 'a' && c <= 'h'; }
bool IsRankDigit(char c) { return c >= '1' && c <= '8'; }
int RowOfRank(char c) { return 8 - (c - '0'); }

// The square of a two-letter name such as "e4", or -1.
int SquareNamed(std::string_view name) {
  if (name.size() != 2 || !IsFileLetter(name[0]) || !IsRankDigit(name[1])) return -1;
  return RowOfRank(name[1]) * 8 + (name[0] - 'a');
}

// The piece code of an upper-case piece letter (the pawn has none), or -1.
int PieceOfLetter(char c) {
  for (int piece = kKnight; piece <= kKing; ++piece) {
    if (kPieceLetters[piece] == c) return piece;
  }
  return -1;
}

int PromotionLetter(char c) {
  const int piece = PieceOfLetter(c);
  return piece == kKing ? -1 : piece;
}

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
  pattern.to = SquareNamed(text.substr(text.size() - 2));
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
    pattern.fromFile = text.front() - 'a';
    text.remove_prefix(1);
  }
  if (!text.empty() && IsRankDigit(text.front())) {
    pattern.fromRow = RowOfRank(text.front());
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

bool HasCoordinateForm(std::string_view text) {
  if (text.size() != 4 && text.size() != 5) return false;
  if (SquareNamed(text.substr(0, 2)) < 0 || SquareNamed(text.substr(2, 2)) < 0) return false;
  return text.size() == 4 || std::string_view("nbrqNBRQ").find(text[4]) != std::string_view::npos;
}

// The piece a coordinate text promotes to: its fifth letter, else the queen.
int CoordinatePromotion(std::string_view text) {
  if (text.size() < 5) return kQueen;
  return PromotionLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(text[4]))));
}

}  // namespace

ReadMove ReadSan(Position& pos, std::string_view text) {
  SanPattern pattern;
  if (!ParseSan(StripAnnotations(text), pattern)) return {};
  return PickLegal(pos, [&](Move move) { return FitsSan(pos, move, pattern); });
}

ReadMove ReadCoordinates(Position& pos, std::string_view text) {
  text = StripAnnotations(text);
  if (!HasCoordinateForm(text)) return {};
  const int from = SquareNamed(text.substr(0, 2));
  const int to = SquareNamed(text.substr(2, 2));
  const int wanted = CoordinatePromotion(text);
  return PickLegal(pos, [&](Move move) {
    if (MoveFrom(move) != from || MoveTo(move) != to) return false;
    const int promotion = PromotionOf(move);
    return promotion == kNoPromotion ? text.size() == 4 : promotion == wanted;
  });
}

ReadMove ReadMoveText(Position& pos, std::string_view text) {
  return HasCoordinateForm(StripAnnotations(text)) ? ReadCoordinates(pos, text) : ReadSan(pos, text);
}

}  // namespace morvi
