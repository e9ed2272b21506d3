// The game archive (the last 256 positions of the game played so far) and
// the repetition list (the last 128 positions seen more than once): recording
// a played move, taking it back, and compacting the piece list once a capture
// has really been played. A full list drops its oldest entry, so a long game
// can still take back its last 255 moves. Entry layout, 72 words: 0 the flag byte of the move
// that led here, 1-32 the piece-list squares, 33-64 their piece codes, then
// LightStart, DarkStart, DarkEnd, SideToMove, CastleBits, EpSquare, FiftyCount.
#include <cstdint>
#include <cstring>

#include "board/position.h"
#include "board/repetition_claim.h"
#include "book/opening_book.h"
#include "base/debug_log.h"

namespace morvi {
namespace {

constexpr int kSquareWord = 1;
constexpr int kCodeWord = 33;
constexpr int kLightStartWord = 65;
constexpr int kDarkStartWord = 66;
constexpr int kDarkEndWord = 67;
constexpr int kSideWord = 68;
constexpr int kCastleWord = 69;
constexpr int kEpWord = 70;
constexpr int kFiftyWord = 71;

inline int SignedFlags(Move move) { return static_cast<std::int8_t>(MoveFlags(move)); }

}  // namespace

void Position::StorePosition(int* entry) const {
  for (int i = LightStart; i < DarkEnd; ++i) {
    entry[kSquareWord + i] = PieceAr[i];
    entry[kCodeWord + i] = SquarePiece[PieceAr[i]];
  }
  entry[kLightStartWord] = LightStart;
  entry[kDarkStartWord] = DarkStart;
  entry[kDarkEndWord] = DarkEnd;
  entry[kSideWord] = ColourNumber(SideToMove);
  entry[kCastleWord] = CastleBits;
  entry[kEpWord] = EpSquare;
  entry[kFiftyWord] = FiftyCount;
}

// Side to move, range bounds, and every entry's square and piece code;
// castling, en passant and the fifty counter do not count.
bool Position::SamePosition(const int* entry) const {
  if (entry[kSideWord] != ColourNumber(SideToMove) || entry[kDarkStartWord] != DarkStart ||
      entry[kDarkEndWord] != DarkEnd) {
    return false;
  }
  for (int i = LightStart; i < DarkEnd; ++i) {
    if (entry[kSquareWord + i] != PieceAr[i] || entry[kCodeWord + i] != SquarePiece[PieceAr[i]]) return false;
  }
  return true;
}

bool Position::InRepeatList() const {
  for (int k = RepeatCount - 1; k >= 1; --k) {
    if (SamePosition(RepeatList[k])) return true;
  }
  return false;
}

namespace {

// Moves the live entries of one range to the front, keeping their order. The
// range's first entry (the king's slot) is always kept, so each side's king
// stays first even in an edited position where it was taken.
int CompactRange(Position& pos, int first, int last, int next) {
  for (int i = first; i < last; ++i) {
    const int sq = pos.PieceAr[i];
    if (sq == kOffBoard && i != first) continue;
    pos.PieceAr[next] = sq;
    if (sq != kOffBoard) pos.PieceArIndex[sq] = next;
    ++next;
  }
  return next;
}

void CompactPieceList(Position& pos) {
  const int darkStart = CompactRange(pos, pos.LightStart, pos.DarkStart, 0);
  const int darkEnd = CompactRange(pos, pos.DarkStart, pos.DarkEnd, darkStart);
  for (int i = darkEnd; i < 32; ++i) pos.PieceAr[i] = kOffBoard;
  pos.LightStart = 0;
  pos.DarkStart = darkStart;
  pos.DarkEnd = darkEnd;
}

}  // namespace

void Position::ArchivePush(Move move) {
  int n = ArchiveCount;
  bool found = false;
  for (int k = n - 1; k >= 1; --k) {
    const bool afterCapture = (Archive[k][0] & kCapture) != 0;
    if (SamePosition(Archive[k])) {
      found = true;
      break;
    }
    if (afterCapture) break;  // positions before a capture cannot recur
  }
  if (found) {
    if (RepeatCount >= kRepeatSize) {  // full: the oldest repeated position goes
      std::memmove(RepeatList[0], RepeatList[1], sizeof RepeatList[0] * (kRepeatSize - 1));
      RepeatCount = kRepeatSize - 1;
    }
    StorePosition(RepeatList[RepeatCount]);
    ++RepeatCount;
  }
  if (n >= kArchiveSize) {  // full: the oldest position goes, the last 256 stay
    std::memmove(Archive[0], Archive[1], sizeof Archive[0] * (kArchiveSize - 1));
    std::memmove(ArchiveKeys, ArchiveKeys + 1, sizeof ArchiveKeys[0] * (kArchiveSize - 1));
    n = kArchiveSize - 1;
  }
  const int flags = SignedFlags(move);
  Archive[n][0] = flags;
  if (flags & kCapture) {
    RepeatCount = 0;
    CompactPieceList(*this);
  }
  StorePosition(Archive[n]);
  ArchiveKeys[n] = ClaimKey(*this);
  ArchiveCount = n + 1;
  BookAppendMove(move);
}

void Position::ArchiveRestart() {
  Archive[0][0] = 0;
  StorePosition(Archive[0]);
  ArchiveKeys[0] = ClaimKey(*this);
  ArchiveCount = 1;
  RepeatCount = 0;
}

bool Position::TakeBack() {
  if (ArchiveCount <= 1) {
    LogLine("Board", "Error - trying to pop an empty archive");
    return false;
  }
  for (int k = RepeatCount - 1; k >= 1; --k) {
    if (SamePosition(RepeatList[k])) {
      RepeatCount = RepeatCount - 1;
      break;
    }
  }
  ArchivePop();
  BookDropMove();
  return true;
}

// Restores the position before the current one. With only the current
// position stored (or none) there is nothing to restore: the error is logged
// and the position is left as it is.
bool Position::ArchivePop() {
  if (ArchiveCount <= 1) {
    LogLine("Board", "Error - trying to pop an empty archive");
    return false;
  }
  const int m = ArchiveCount - 1;
  ArchiveCount = m;
  const int* entry = Archive[m - 1];
  for (int s = 0; s <= 64; ++s) {
    SquareColour[s] = Colour::kNone;
    SquarePiece[s] = kEmpty;
    PieceArIndex[s] = -1;
  }
  LightStart = entry[kLightStartWord];
  DarkStart = entry[kDarkStartWord];
  DarkEnd = entry[kDarkEndWord];
  for (int i = LightStart; i < DarkEnd; ++i) {
    const int sq = entry[kSquareWord + i];
    PieceAr[i] = sq;
    if (sq == kOffBoard) continue;  // a captured or empty slot stands nowhere
    SquarePiece[sq] = entry[kCodeWord + i];
    SquareColour[sq] = i < DarkStart ? Colour::kWhite : Colour::kBlack;
    PieceArIndex[sq] = i;
  }
  for (int i = DarkEnd; i < 32; ++i) PieceAr[i] = kOffBoard;
  SideToMove = ColourFromNumber(entry[kSideWord]);
  CastleBits = entry[kCastleWord];
  EpSquare = entry[kEpWord];
  FiftyCount = entry[kFiftyWord];
  RefreshKey();
  return true;
}

}  // namespace morvi
