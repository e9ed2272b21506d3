// Helpers shared by the board tests: a fresh position on the heap, a
// snapshot of every field that make/unmake touches, the piece-list walk that
// IsAttacked's outward form must agree with, and a move finder.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "board/fen.h"
#include "board/geometry.h"
#include "board/position.h"

namespace morvi::test {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

inline std::unique_ptr<Position> NewPosition() {
  auto pos = std::make_unique<Position>();
  pos->NewGame();
  return pos;
}

inline std::unique_ptr<Position> FenPosition(const std::string& fen) {
  auto pos = std::make_unique<Position>();
  EXPECT_TRUE(LoadFen(*pos, fen)) << fen;
  return pos;
}

// Every field that MakeMove/UnmakeMove may change.
struct Snapshot {
  Colour squareColour[65];
  int squarePiece[65], pieceAr[32], pieceArIndex[65];
  int lightStart, darkStart, darkEnd;
  Colour side;
  int castle, ep, fifty;

  explicit Snapshot(const Position& p)
      : lightStart(p.LightStart), darkStart(p.DarkStart), darkEnd(p.DarkEnd), side(p.SideToMove),
        castle(p.CastleBits), ep(p.EpSquare), fifty(p.FiftyCount) {
    std::memcpy(squareColour, p.SquareColour, sizeof squareColour);
    std::memcpy(squarePiece, p.SquarePiece, sizeof squarePiece);
    std::memcpy(pieceAr, p.PieceAr, sizeof pieceAr);
    std::memcpy(pieceArIndex, p.PieceArIndex, sizeof pieceArIndex);
  }
  bool operator==(const Snapshot& o) const { return std::memcmp(this, &o, sizeof *this) == 0; }
};

// The attack test as a walk over the attacker's piece list.
inline bool ListWalkAttacked(const Position& p, int target, Colour by) {
  using enum Colour;
  const int first = by == kWhite ? p.LightStart : p.DarkStart;
  const int last = by == kWhite ? p.DarkStart : p.DarkEnd;
  for (int i = first; i < last; ++i) {
    const int sq = p.PieceAr[i];
    const int code = p.SquarePiece[sq];
    if (code == kPawn) {
      if (by == kWhite && ((FileOf(sq) != 0 && sq - 9 == target) || (FileOf(sq) != 7 && sq - 7 == target))) return true;
      if (by == kBlack && ((FileOf(sq) != 0 && sq + 7 == target) || (FileOf(sq) != 7 && sq + 9 == target))) return true;
      continue;
    }
    if (code < kKnight || code > kKing) continue;
    for (int d = 0; d < OffsetCount[code]; ++d) {
      int cur = sq;
      for (;;) {
        cur = Mailbox[Mailbox64[cur] + PieceOffsets[code][d]];
        if (cur < 0) break;
        if (cur == target) return true;
        if (p.SquareColour[cur] != Colour::kNone || !Slides[code]) break;
      }
    }
  }
  return false;
}

// The generated move with this text (and promotion piece, when given), or 0.
inline Move FindMove(const Position& p, const std::string& text, int promotion = kNoPromotion) {
  static MoveEntry list[kMoveStackSize];
  int end = 0;
  p.GenerateMoves(list, &end);
  for (int i = 0; i < end; ++i) {
    if (MoveText(list[i].move) == text && MovePromotion(list[i].move) == promotion) return list[i].move;
  }
  return 0;
}

// Makes a generated move and records it in the archive, as a played move.
inline bool Play(Position& p, const std::string& text, int promotion = kNoPromotion) {
  const Move move = FindMove(p, text, promotion);
  if (move == 0) return false;
  UndoRecord undo;
  if (!p.MakeMove(move, undo)) return false;
  p.ArchivePush(move);
  return true;
}

}  // namespace morvi::test
