// The board diagram for a person at the console and the audit of the
// position's invariants that closes it.
#include <string>

#include "board/geometry.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "base/debug_log.h"

namespace morvi {

using enum Colour;

std::string Position::BoardDiagram() const {
  bool faulty = false;
  std::string text = "\n8";
  for (int s = 0; s < 64; ++s) {
    const Colour colour = SquareColour[s];
    const int code = SquarePiece[s];
    if (colour == Colour::kNone) {
      text += " .";
    } else if ((colour == kWhite || colour == kBlack) && code >= 0 && code < kEmpty) {
      const char letter = colour == kBlack ? LowerPieceLetter(code) : PieceLetter(code);
      text += ' ';
      text += letter;
    } else {
      faulty = true;
    }
    if ((s + 1) % 8 == 0 && s != 63) text += std::string{'\n', RankDigit(RowOf(s) + 1)};
  }
  text += "\n\n  a b c d e f g h\n\n";
  if (faulty) LogLine("****", "Bug seen in PrintBoard");
  text += AuditBoard() ? "Board Audit Result: clean\n" : "Board Audit Result: BUG\n";
  return text;
}

namespace {

bool RangeEntriesClean(const Position& pos, int first, int last, Colour colour) {
  bool clean = true;
  for (int i = first; i < last; ++i) {
    const int sq = pos.PieceAr[i];
    if (sq == kOffBoard) continue;
    if (sq < 0 || sq > kOffBoard) {
      clean = false;
      continue;
    }
    if (pos.SquareColour[sq] != colour || pos.PieceArIndex[sq] != i) clean = false;
  }
  return clean;
}

}  // namespace

// Runs every check (never stopping at the first failure); it also refuses
// values that would lead it outside its arrays, so a damaged position is
// reported rather than read out of bounds.
bool Position::AuditBoard() const {
  bool clean = true;
  const bool rangesValid = LightStart == 0 && LightStart <= DarkStart && DarkStart <= DarkEnd && DarkEnd <= 32;
  if (!rangesValid) clean = false;
  for (int s = 0; s < 64; ++s) {
    if (SquarePiece[s] == kEmpty) continue;
    const int index = PieceArIndex[s];
    if (SquareColour[s] == Colour::kNone || index == -1) clean = false;
    if (index != -1 && (index < 0 || index >= 32 || PieceAr[index] != s)) clean = false;
  }
  if (rangesValid) {
    if (!RangeEntriesClean(*this, LightStart, DarkStart, kWhite)) clean = false;
    if (!RangeEntriesClean(*this, DarkStart, DarkEnd, kBlack)) clean = false;
  }
  if (SquarePiece[kOffBoard] != kEmpty || SquareColour[kOffBoard] != Colour::kNone) clean = false;
  if (Key != ComputeKey(*this)) clean = false;
  return clean;
}

}  // namespace morvi
