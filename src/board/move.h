// The move word (from, to, promotion, flags in four bytes), the move-list
// entry with its ordering score, the undo record, and the shared move stack.
#pragma once

#include <cstdint>

namespace morvi {

using Move = std::uint32_t;

// Flag bits of byte 3.
constexpr int kCapture = 1;
constexpr int kCastle = 2;
constexpr int kEnPassant = 4;
constexpr int kDoubleStep = 8;
constexpr int kPawnMove = 16;
constexpr int kPromotion = 32;

constexpr int kNoPromotion = 255;

constexpr Move MakeMoveWord(int from, int to, int promotion, int flags) {
  return static_cast<Move>(from & 0xff) | (static_cast<Move>(to & 0xff) << 8) |
         (static_cast<Move>(promotion & 0xff) << 16) | (static_cast<Move>(flags & 0xff) << 24);
}
// "No move": a word whose from-byte is 255 (no square has that number). The
// search's empty root entry, a result without a move and a missing reply
// all use it.
constexpr Move kNoMove = MakeMoveWord(255, 0, 255, 0);

// Bytes 0 and 1 are read as signed bytes.
constexpr int MoveFrom(Move m) { return static_cast<std::int8_t>(m & 0xff); }
constexpr int MoveTo(Move m) { return static_cast<std::int8_t>((m >> 8) & 0xff); }
constexpr int MovePromotion(Move m) { return static_cast<int>((m >> 16) & 0xff); }
constexpr int MoveFlags(Move m) { return static_cast<int>((m >> 24) & 0xff); }
// The from-byte as an unsigned value (255 marks "no move yet").
constexpr int MoveFromByte(Move m) { return static_cast<int>(m & 0xff); }
// False for kNoMove and any other word with the from-byte 255.
constexpr bool IsMove(Move m) { return MoveFromByte(m) != 255; }

struct MoveEntry {
  Move move;
  std::int32_t score;
};

// Filled by MakeMove and read by UnmakeMove.
struct UndoRecord {
  Move move;
  int capturedPiece;  // SquarePiece[to] before the move (6: empty)
  int castleBits;
  int epSquare;
  int fiftyCount;
  int capturedIndex;  // piece-list index of the captured piece, or -1
  std::uint64_t key;  // the position's key before the move
};

constexpr int kMoveStackSize = 4128;
constexpr int kMaxPly = 128;
// Most moves any position generates (218 is the known maximum).
constexpr int kMaxMovesPerPosition = 256;

// The per-ply index arrays hold kMaxPly entries: a ply outside 0..127 must
// never index them.
constexpr bool PlyInRange(int ply) { return ply >= 0 && ply < kMaxPly; }
// True when a full move list still fits behind index end of the move stack.
constexpr bool MoveListFits(int end) { return end >= 0 && end <= kMoveStackSize - kMaxMovesPerPosition; }

// One list shared by all plies, cut into per-ply segments.
struct MoveStack {
  MoveEntry entries[kMoveStackSize];
  int listStart[kMaxPly];
  int listEnd[kMaxPly];
};

extern MoveStack moveStack;

}  // namespace morvi
