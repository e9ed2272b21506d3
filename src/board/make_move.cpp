// Making and unmaking a move during search and play. MakeMove decides
// legality (castling out of or through check, leaving the own king attacked)
// and fills the six-word undo record; UnmakeMove restores the position
// exactly from it. Nothing else is copied, and captured pieces are only
// marked (square 64) in the piece list, never removed from it.
#include "board/attack_test.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/zobrist.h"

namespace morvi {
namespace {

struct RookShift {
  int from, to;
};

// The rook's move for a castling king move, by the king's to-square.
inline RookShift CastlingRook(int kingTo) {
  switch (kingTo) {
    case 62: return {63, 61};
    case 58: return {56, 59};
    case 6: return {7, 5};
    default: return {0, 3};  // 2
  }
}

inline void MovePieceEntry(Position& pos, int from, int to) {
  const int index = pos.PieceArIndex[from];
  pos.PieceAr[index] = to;
  pos.PieceArIndex[to] = index;
  pos.PieceArIndex[from] = -1;
}

inline void ShiftRook(Position& pos, int from, int to, Colour colour) {
  pos.SquareColour[to] = colour;
  pos.SquarePiece[to] = kRook;
  pos.SquareColour[from] = Colour::kNone;
  pos.SquarePiece[from] = kEmpty;
  MovePieceEntry(pos, from, to);
}

// The castling king's path: start, crossed and target square.
inline bool CastlingPathAttacked(const Position& pos, int kingTo, Colour by) {
  const int start = kingTo > 32 ? 60 : 4;
  const int crossed = (start + kingTo) / 2;
  return SquareAttackedBy(pos, start, by) || SquareAttackedBy(pos, crossed, by) ||
         SquareAttackedBy(pos, kingTo, by);
}

// The legality test after a move of side s. When the king stayed on its
// square, no pawn was taken en passant and the side was not in check, every
// line to the king is as before except the one through the vacated
// from-square: only a slider behind it can attack now. Otherwise the full test.
inline bool KingLeftAttacked(const Position& pos, Colour s, int kingBefore, int from, int flags, bool wasInCheck) {
  const int king = KingSquare(pos, s);
  if (wasInCheck || king != kingBefore || (flags & kEnPassant)) return SquareAttackedBy(pos, king, Opponent(s));
  return SquareAttackedThrough(pos, king, from, Opponent(s));
}

}  // namespace

int Position::MakeMove(Move move, UndoRecord& undo) { return MakeMove(move, undo, true); }

int Position::MakeMove(Move move, UndoRecord& undo, bool sideInCheck) {
  const Colour s = SideToMove;
  const int kingBefore = KingSquare(*this, s);
  const int from = MoveFrom(move);
  const int to = MoveTo(move);
  const int flags = MoveFlags(move);

  undo.move = move;
  undo.capturedPiece = SquarePiece[to];
  undo.castleBits = CastleBits;
  undo.epSquare = EpSquare;
  undo.fiftyCount = FiftyCount;
  undo.capturedIndex = PieceArIndex[to];
  undo.key = Key;

  int bits = CastleBits;
  std::uint64_t key = Key ^ kZobrist.blackToMove ^ CastlingKey(CastleBits) ^ EpKey(EpSquare);
  if (flags & kCastle) {
    if (SquareAttackedBy(*this, KingSquare(*this, s), Opponent(s))) return 0;
    if (CastlingPathAttacked(*this, to, Opponent(s))) return 0;
    const RookShift rook = CastlingRook(to);
    ShiftRook(*this, rook.from, rook.to, s);
    key ^= PieceKey(s, kRook, rook.from) ^ PieceKey(s, kRook, rook.to);
    bits |= s == Colour::kWhite ? kWhiteCastled : kBlackCastled;
  }
  CastleBits = bits & CastleMask[from] & CastleMask[to];
  EpSquare = (flags & kDoubleStep) ? (s == Colour::kWhite ? to + 8 : to - 8) : -1;
  FiftyCount = (flags & (kCapture | kPawnMove)) ? 0 : FiftyCount + 1;
  if ((flags & kCapture) && !(flags & kEnPassant)) {
    PieceAr[PieceArIndex[to]] = kOffBoard;
    key ^= PieceKey(Opponent(s), SquarePiece[to], to);
  }
  key ^= CastlingKey(CastleBits) ^ EpKey(EpSquare) ^ PieceKey(s, SquarePiece[from], from);

  SquareColour[to] = s;
  SquarePiece[to] = (flags & kPromotion) ? MovePromotion(move) : SquarePiece[from];
  SquareColour[from] = Colour::kNone;
  SquarePiece[from] = kEmpty;
  MovePieceEntry(*this, from, to);
  key ^= PieceKey(s, SquarePiece[to], to);

  if (flags & kEnPassant) {
    const int c = s == Colour::kWhite ? to + 8 : to - 8;
    SquareColour[c] = Colour::kNone;
    SquarePiece[c] = kEmpty;
    undo.capturedIndex = PieceArIndex[c];
    PieceAr[PieceArIndex[c]] = kOffBoard;
    PieceArIndex[c] = -1;
    key ^= PieceKey(Opponent(s), kPawn, c);
  }

  SideToMove = Opponent(s);
  Key = key;
  if (KingLeftAttacked(*this, s, kingBefore, from, flags, sideInCheck)) {
    UnmakeMove(move, undo);
    return 0;
  }
  return 1;
}

void Position::UnmakeMove(Move move, const UndoRecord& undo) {
  const Colour s = Opponent(SideToMove);
  const int from = MoveFrom(move);
  const int to = MoveTo(move);
  const int flags = MoveFlags(move);

  SideToMove = s;
  Key = undo.key;
  CastleBits = undo.castleBits;
  EpSquare = undo.epSquare;
  FiftyCount = undo.fiftyCount;

  SquareColour[from] = s;
  SquarePiece[from] = (flags & kPromotion) ? kPawn : SquarePiece[to];
  const int index = PieceArIndex[to];
  PieceArIndex[from] = index;
  PieceAr[index] = from;

  if (undo.capturedPiece == kEmpty) {
    SquareColour[to] = Colour::kNone;
    SquarePiece[to] = kEmpty;
    PieceArIndex[to] = -1;
  } else {
    SquareColour[to] = Opponent(s);
    SquarePiece[to] = undo.capturedPiece;
    PieceArIndex[to] = undo.capturedIndex;
    PieceAr[undo.capturedIndex] = to;
  }

  if (flags & kCastle) {
    const RookShift rook = CastlingRook(to);
    ShiftRook(*this, rook.to, rook.from, s);
  }
  if (flags & kEnPassant) {
    const int c = s == Colour::kWhite ? to + 8 : to - 8;
    SquareColour[c] = Opponent(s);
    SquarePiece[c] = kPawn;
    PieceArIndex[c] = undo.capturedIndex;
    PieceAr[undo.capturedIndex] = c;
  }
}

void Position::MakeNullMove(UndoRecord& undo) {
  undo.epSquare = EpSquare;
  undo.key = Key;
  Key ^= kZobrist.blackToMove ^ EpKey(EpSquare);
  EpSquare = -1;
  SideToMove = Opponent(SideToMove);
}

void Position::UnmakeNullMove(const UndoRecord& undo) {
  SideToMove = Opponent(SideToMove);
  EpSquare = undo.epSquare;
  Key = undo.key;
}

}  // namespace morvi
