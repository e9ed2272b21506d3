// Move generation: every pseudo-legal move of the side to move (or only its
// captures and promotions), with the ordering score of each, appended to a
// move list; the sort by score; the coordinate text of a move.
//
// The move list is the shared move stack of kMoveStackSize entries: no entry
// is ever written at or past that index, so a full stack drops moves rather
// than overrunning.
#include <cstdio>

#include "board/geometry.h"
#include "board/position.h"

namespace morvi {
namespace {

constexpr int kCaptureBase = 1000000;

// Appends one entry unless the stack is full.
inline void Append(MoveEntry* list, int* end, Move move, int score) {
  const int n = *end;
  if (n >= kMoveStackSize) return;
  list[n].move = move;
  list[n].score = score;
  *end = n + 1;
}

// Pawn moves reaching the last rank become four promotions, queen first.
inline void AppendPromotions(MoveEntry* list, int* end, int from, int to, int flags) {
  for (int piece = kQueen; piece >= kKnight; --piece) {
    Append(list, end, MakeMoveWord(from, to, piece, flags | kPromotion), kCaptureBase + 10 * piece);
  }
}

inline bool LastRank(int to, int side) { return side == kWhite ? to < 8 : to >= 56; }

// A valid en-passant square has the enemy pawn that just passed it behind it
// and is empty; anything else (only edit mode can make it) yields no capture.
inline bool UsableEpSquare(const Position& pos, int ep, int side) {
  if (side == kWhite) {
    if (ep < 16 || ep > 23) return false;
    return pos.SquarePiece[ep] == kEmpty && pos.SquareColour[ep + 8] == kBlack && pos.SquarePiece[ep + 8] == kPawn;
  }
  if (ep < 40 || ep > 47) return false;
  return pos.SquarePiece[ep] == kEmpty && pos.SquareColour[ep - 8] == kWhite && pos.SquarePiece[ep - 8] == kPawn;
}

inline bool OwnPawnOn(const Position& pos, int square, int side) {
  return pos.SquareColour[square] == side && pos.SquarePiece[square] == kPawn;
}

// Pawn moves of one pawn. Captures always; steps when quiet is set, promotion
// steps always.
template <bool quiet>
inline void PawnMoves(const Position& pos, int s, int side, MoveEntry* list, int* end) {
  const int enemy = side ^ 1;
  const int forward = side == kWhite ? -8 : 8;
  const int leftCapture = side == kWhite ? s - 9 : s + 7;   // towards file a
  const int rightCapture = side == kWhite ? s - 7 : s + 9;  // towards file h
  if (FileOf(s) != 0 && pos.SquareColour[leftCapture] == enemy) {
    pos.AddMove(s, leftCapture, kPawnMove | kCapture, list, end);
  }
  if (FileOf(s) != 7 && pos.SquareColour[rightCapture] == enemy) {
    pos.AddMove(s, rightCapture, kPawnMove | kCapture, list, end);
  }
  const int step = s + forward;
  if (pos.SquarePiece[step] != kEmpty) return;
  if (LastRank(step, side)) {
    AppendPromotions(list, end, s, step, kPawnMove);
    return;
  }
  if (!quiet) return;
  Append(list, end, MakeMoveWord(s, step, kNoPromotion, kPawnMove), pos.History[s][step]);
  const bool homeRow = side == kWhite ? s >= 48 : (s >= 8 && s <= 15);
  if (homeRow && pos.SquarePiece[step + forward] == kEmpty) {
    Append(list, end, MakeMoveWord(s, step + forward, kNoPromotion, kPawnMove | kDoubleStep),
           pos.History[s][step + forward]);
  }
}

template <bool quiet>
inline void PieceMoves(const Position& pos, int s, int code, int side, MoveEntry* list, int* end) {
  const int enemy = side ^ 1;
  const int mb = Mailbox64[s];
  const int* offsets = PieceOffsets[code];
  const int directions = OffsetCount[code];
  const bool slides = Slides[code];
  for (int i = 0; i < directions; ++i) {
    const int d = offsets[i];
    int m = mb + d;
    int to;
    while ((to = Mailbox[m]) >= 0) {
      const int colour = pos.SquareColour[to];
      if (colour == kNoColour) {
        if (quiet) Append(list, end, MakeMoveWord(s, to, kNoPromotion, 0), pos.History[s][to]);
      } else {
        if (colour == enemy) {
          Append(list, end, MakeMoveWord(s, to, kNoPromotion, kCapture),
                 kCaptureBase + 10 * pos.SquarePiece[to] - code);
        }
        break;
      }
      if (!slides) break;
      m += d;
    }
  }
}

// Castling by piece codes and castling bits only; the attack tests belong to
// MakeMove. King and rook must be the mover's own (only edit mode could put
// another side's piece there while the bit is set).
inline void CastlingMoves(const Position& pos, int side, MoveEntry* list, int* end) {
  const int* piece = pos.SquarePiece;
  const int* colour = pos.SquareColour;
  const int bits = pos.CastleBits;
  const int k = side == kWhite ? 60 : 4;
  if (piece[k] != kKing || colour[k] != side) return;
  const int kingSide = side == kWhite ? kWhiteKingSide : kBlackKingSide;
  const int queenSide = side == kWhite ? kWhiteQueenSide : kBlackQueenSide;
  if ((bits & kingSide) && piece[k + 1] == kEmpty && piece[k + 2] == kEmpty && piece[k + 3] == kRook &&
      colour[k + 3] == side) {
    Append(list, end, MakeMoveWord(k, k + 2, kNoPromotion, kCastle), pos.History[k][k + 2]);
  }
  if ((bits & queenSide) && piece[k - 1] == kEmpty && piece[k - 2] == kEmpty && piece[k - 3] == kEmpty &&
      piece[k - 4] == kRook && colour[k - 4] == side) {
    Append(list, end, MakeMoveWord(k, k - 2, kNoPromotion, kCastle), pos.History[k][k - 2]);
  }
}

inline void EnPassantMoves(const Position& pos, int side, MoveEntry* list, int* end) {
  const int e = pos.EpSquare;
  if (e == -1 || !UsableEpSquare(pos, e, side)) return;
  const int flags = kPawnMove | kEnPassant | kCapture;
  const int fromLeft = side == kWhite ? e + 7 : e - 9;   // from the file towards a
  const int fromRight = side == kWhite ? e + 9 : e - 7;  // from the file towards h
  if (FileOf(e) != 0 && OwnPawnOn(pos, fromLeft, side)) pos.AddMove(fromLeft, e, flags, list, end);
  if (FileOf(e) != 7 && OwnPawnOn(pos, fromRight, side)) pos.AddMove(fromRight, e, flags, list, end);
}

template <bool quiet>
void Generate(const Position& pos, MoveEntry* list, int* end) {
  const int side = pos.SideToMove;
  const int first = side == kWhite ? pos.LightStart : pos.DarkStart;
  const int last = side == kWhite ? pos.DarkStart : pos.DarkEnd;
  for (int i = first; i < last; ++i) {
    const int s = pos.PieceAr[i];
    const int code = pos.SquarePiece[s];  // 6 for a captured entry (square 64)
    if (code == kPawn) {
      PawnMoves<quiet>(pos, s, side, list, end);
    } else if (code < kEmpty) {
      PieceMoves<quiet>(pos, s, code, side, list, end);
    }
  }
  if (quiet) CastlingMoves(pos, side, list, end);
  EnPassantMoves(pos, side, list, end);
}

}  // namespace

void Position::AddMove(int from, int to, int flags, MoveEntry* list, int* end) const {
  if ((flags & kPawnMove) && LastRank(to, SideToMove)) {
    AppendPromotions(list, end, from, to, flags);
    return;
  }
  const int score = (flags & kCapture) ? kCaptureBase + 10 * SquarePiece[to] - SquarePiece[from] : History[from][to];
  Append(list, end, MakeMoveWord(from, to, kNoPromotion, flags), score);
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

void MoveTextTo(Move move, char* out) {
  // Squares are taken modulo 64 so that any move word gives four characters.
  const int from = MoveFromByte(move) & 63;
  const int to = (static_cast<int>(move >> 8) & 0xff) & 63;
  out[0] = static_cast<char>('a' + FileOf(from));
  out[1] = static_cast<char>('0' + 8 - RowOf(from));
  out[2] = static_cast<char>('a' + FileOf(to));
  out[3] = static_cast<char>('0' + 8 - RowOf(to));
  out[4] = '\0';
}

std::string MoveText(Move move) {
  char text[5];
  MoveTextTo(move, text);
  return std::string(text, 4);
}

}  // namespace morvi
