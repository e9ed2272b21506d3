// Move generation: every pseudo-legal move of the side to move (or only its
// captures and promotions), with the ordering score of each, appended to a
// move list; the sort by score.
//
// The move list is the shared move stack of kMoveStackSize entries: no entry
// is ever written at or past that index, so a full stack drops moves rather
// than overrunning.
#include "board/attack_test.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/rays.h"

namespace morvi {
namespace {

using enum Colour;

constexpr int kCaptureBase = 1000000;

// Appends one entry unless the stack is full. The list's end is kept in a
// local count n while one list is generated and stored once at the end.
inline void Append(MoveEntry* list, int& n, Move move, int score) {
  if (n >= kMoveStackSize) return;
  list[n].move = move;
  list[n].score = score;
  ++n;
}

// Pawn moves reaching the last rank become four promotions, queen first.
inline void AppendPromotions(MoveEntry* list, int& n, int from, int to, int flags) {
  for (int piece = kQueen; piece >= kKnight; --piece) {
    Append(list, n, MakeMoveWord(from, to, piece, flags | kPromotion), kCaptureBase + 10 * piece);
  }
}

inline bool LastRank(int to, Colour side) { return side == kWhite ? to < 8 : to >= 56; }

// A move given by its flags: promotions on the last rank, otherwise scored as
// a capture (victim and attacker) or by the history table.
inline void AppendMove(const Position& pos, int from, int to, int flags, MoveEntry* list, int& n) {
  if ((flags & kPawnMove) && LastRank(to, pos.SideToMove)) {
    AppendPromotions(list, n, from, to, flags);
    return;
  }
  const int score = (flags & kCapture) ? kCaptureBase + 10 * pos.SquarePiece[to] - pos.SquarePiece[from]
                                       : pos.History[from][to];
  Append(list, n, MakeMoveWord(from, to, kNoPromotion, flags), score);
}

// A valid en-passant square has the enemy pawn that just passed it behind it
// and is empty; anything else (only edit mode can make it) yields no capture.
inline bool UsableEpSquare(const Position& pos, int ep, Colour side) {
  if (side == kWhite) {
    if (ep < 16 || ep > 23) return false;
    return pos.SquarePiece[ep] == kEmpty && pos.SquareColour[ep + 8] == kBlack && pos.SquarePiece[ep + 8] == kPawn;
  }
  if (ep < 40 || ep > 47) return false;
  return pos.SquarePiece[ep] == kEmpty && pos.SquareColour[ep - 8] == kWhite && pos.SquarePiece[ep - 8] == kPawn;
}

inline bool OwnPawnOn(const Position& pos, int square, Colour side) {
  return pos.SquareColour[square] == side && pos.SquarePiece[square] == kPawn;
}

// Pawn moves of one pawn. Captures always; steps when quiet is set, promotion
// steps always.
template <bool quiet>
inline void PawnMoves(const Position& pos, int s, Colour side, MoveEntry* list, int& n) {
  const Colour enemy = Opponent(side);
  const int forward = side == kWhite ? -8 : 8;
  const int leftCapture = side == kWhite ? s - 9 : s + 7;   // towards file a
  const int rightCapture = side == kWhite ? s - 7 : s + 9;  // towards file h
  if (FileOf(s) != 0 && pos.SquareColour[leftCapture] == enemy) {
    AppendMove(pos, s, leftCapture, kPawnMove | kCapture, list, n);
  }
  if (FileOf(s) != 7 && pos.SquareColour[rightCapture] == enemy) {
    AppendMove(pos, s, rightCapture, kPawnMove | kCapture, list, n);
  }
  const int step = s + forward;
  if (pos.SquarePiece[step] != kEmpty) return;
  if (LastRank(step, side)) {
    AppendPromotions(list, n, s, step, kPawnMove);
    return;
  }
  if (!quiet) return;
  Append(list, n, MakeMoveWord(s, step, kNoPromotion, kPawnMove), pos.History[s][step]);
  const bool homeRow = side == kWhite ? s >= 48 : (s >= 8 && s <= 15);
  if (homeRow && pos.SquarePiece[step + forward] == kEmpty) {
    Append(list, n, MakeMoveWord(s, step + forward, kNoPromotion, kPawnMove | kDoubleStep),
           pos.History[s][step + forward]);
  }
}

// The piece on s reaching to: a quiet move to an empty square (when quiet is
// set), a capture of an enemy piece. False when to is occupied, which ends a
// line.
template <bool quiet>
[[gnu::always_inline]] inline bool Reach(const Position& pos, int s, int to, int code, Colour enemy, MoveEntry* list,
                                         int& n) {
  const Colour colour = pos.SquareColour[to];
  if (colour == Colour::kNone) {
    if (quiet) Append(list, n, MakeMoveWord(s, to, kNoPromotion, 0), pos.History[s][to]);
    return true;
  }
  if (colour == enemy) {
    Append(list, n, MakeMoveWord(s, to, kNoPromotion, kCapture), kCaptureBase + 10 * pos.SquarePiece[to] - code);
  }
  return false;
}

// The precomputed lines of the attack test, in each piece's step order
// (PieceOffsets): -11 -9 9 11 are lines 0-3, -10 -1 1 10 lines 4-7.
constexpr int kLineOrder[6][8] = {{},
                                  {},
                                  {0, 1, 2, 3},
                                  {4, 5, 6, 7},
                                  {0, 4, 1, 5, 6, 2, 7, 3},
                                  {0, 4, 1, 5, 6, 2, 7, 3}};

// Bishop, rook and queen: along each line up to the first piece; the king
// one step along each line.
template <bool quiet, int code>
inline void LineMoves(const Position& pos, int s, Colour side, MoveEntry* list, int& n) {
  const Colour enemy = Opponent(side);
  constexpr int reachLimit = Slides[code] ? 7 : 1;
  for (int i = 0; i < OffsetCount[code]; ++i) {
    const int line = kLineOrder[code][i];
    const signed char* ray = kSquareRays.ray[s][line];
    const int length = kSquareRays.rayLength[s][line];
    const int reach = length < reachLimit ? length : reachLimit;
    for (int k = 0; k < reach; ++k) {
      if (!Reach<quiet>(pos, s, ray[k], code, enemy, list, n)) break;
    }
  }
}

template <bool quiet>
inline void KnightMoves(const Position& pos, int s, Colour side, MoveEntry* list, int& n) {
  const Colour enemy = Opponent(side);
  const signed char* targets = kSquareRays.knight[s];
  for (int k = 0; k < kSquareRays.knightCount[s]; ++k) Reach<quiet>(pos, s, targets[k], kKnight, enemy, list, n);
}

// Castling by piece codes and castling bits only; the attack tests belong to
// MakeMove. King and rook must be the mover's own (only edit mode could put
// another side's piece there while the bit is set).
inline void CastlingMoves(const Position& pos, Colour side, MoveEntry* list, int& n) {
  const int* piece = pos.SquarePiece;
  const Colour* colour = pos.SquareColour;
  const int bits = pos.CastleBits;
  const int k = side == kWhite ? 60 : 4;
  if (piece[k] != kKing || colour[k] != side) return;
  const int kingSide = side == kWhite ? kWhiteKingSide : kBlackKingSide;
  const int queenSide = side == kWhite ? kWhiteQueenSide : kBlackQueenSide;
  if ((bits & kingSide) && piece[k + 1] == kEmpty && piece[k + 2] == kEmpty && piece[k + 3] == kRook &&
      colour[k + 3] == side) {
    Append(list, n, MakeMoveWord(k, k + 2, kNoPromotion, kCastle), pos.History[k][k + 2]);
  }
  if ((bits & queenSide) && piece[k - 1] == kEmpty && piece[k - 2] == kEmpty && piece[k - 3] == kEmpty &&
      piece[k - 4] == kRook && colour[k - 4] == side) {
    Append(list, n, MakeMoveWord(k, k - 2, kNoPromotion, kCastle), pos.History[k][k - 2]);
  }
}

inline void EnPassantMoves(const Position& pos, Colour side, MoveEntry* list, int& n) {
  const int e = pos.EpSquare;
  if (e == -1 || !UsableEpSquare(pos, e, side)) return;
  const int flags = kPawnMove | kEnPassant | kCapture;
  const int fromLeft = side == kWhite ? e + 7 : e - 9;   // from the file towards a
  const int fromRight = side == kWhite ? e + 9 : e - 7;  // from the file towards h
  if (FileOf(e) != 0 && OwnPawnOn(pos, fromLeft, side)) AppendMove(pos, fromLeft, e, flags, list, n);
  if (FileOf(e) != 7 && OwnPawnOn(pos, fromRight, side)) AppendMove(pos, fromRight, e, flags, list, n);
}

template <bool quiet>
void Generate(const Position& pos, MoveEntry* list, int* end) {
  const Colour side = pos.SideToMove;
  const int first = side == kWhite ? pos.LightStart : pos.DarkStart;
  const int last = side == kWhite ? pos.DarkStart : pos.DarkEnd;
  int n = *end;
  for (int i = first; i < last; ++i) {
    const int s = pos.PieceAr[i];
    const int code = pos.SquarePiece[s];  // 6 for a captured entry (square 64)
    switch (code) {
      case kPawn: PawnMoves<quiet>(pos, s, side, list, n); break;
      case kKnight: KnightMoves<quiet>(pos, s, side, list, n); break;
      case kBishop: LineMoves<quiet, kBishop>(pos, s, side, list, n); break;
      case kRook: LineMoves<quiet, kRook>(pos, s, side, list, n); break;
      case kQueen: LineMoves<quiet, kQueen>(pos, s, side, list, n); break;
      case kKing: LineMoves<quiet, kKing>(pos, s, side, list, n); break;
      default: break;
    }
  }
  if (quiet) CastlingMoves(pos, side, list, n);
  EnPassantMoves(pos, side, list, n);
  *end = n;
}

}  // namespace

void Position::AddMove(int from, int to, int flags, MoveEntry* list, int* end) const {
  int n = *end;
  AppendMove(*this, from, to, flags, list, n);
  *end = n;
}

void Position::GenerateMoves(MoveEntry* list, int* end) const { Generate<true>(*this, list, end); }

void Position::GenerateCaptures(MoveEntry* list, int* end) const { Generate<false>(*this, list, end); }

void SortMoves(MoveEntry* list, int first, int last) {
  while (first < last) {
    const int pivot = list[(first + last) / 2].score;
    int i = first;
    int j = last;
    while (i <= j) {
      while (list[i].score > pivot && i < last) ++i;
      while (list[j].score < pivot && j > first) --j;
      if (i > j) break;
      const MoveEntry swap = list[i];
      list[i] = list[j];
      list[j] = swap;
      ++i;
      --j;
    }
    if (first < j) SortMoves(list, first, j);
    first = i;
  }
}

}  // namespace morvi
