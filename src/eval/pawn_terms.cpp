// The pawn structure: the per-file arrays built once per evaluation, and the
// terms that read them — each pawn's value (table, doubled, isolated or
// backward, passed) and the knight and bishop outposts. Arrays are indexed by
// file + 1 so that the guard files -1 and 8 keep their initial values.
#include "eval/eval_internal.h"
#include "eval/eval_tables.h"

namespace morvi::evalterms {

using namespace evaltables;

void FillPawnStructure(Position& pos) {
  for (int i = 0; i < 10; ++i) {
    pos.WhitePawnCount[i] = 0;
    pos.BlackPawnCount[i] = 0;
    pos.WhiteRearRow[i] = -1;
    pos.BlackRearRow[i] = 8;
  }
  for (int i = pos.LightStart; i < pos.DarkStart; ++i) {
    const int s = pos.PieceAr[i];
    if (pos.SquarePiece[s] != kPawn) continue;
    const int f = (s & 7) + 1, r = s >> 3;
    ++pos.WhitePawnCount[f];
    if (r > pos.WhiteRearRow[f]) pos.WhiteRearRow[f] = r;
  }
  for (int i = pos.DarkStart; i < pos.DarkEnd; ++i) {
    const int s = pos.PieceAr[i];
    if (pos.SquarePiece[s] != kPawn) continue;
    const int f = (s & 7) + 1, r = s >> 3;
    ++pos.BlackPawnCount[f];
    if (r < pos.BlackRearRow[f]) pos.BlackRearRow[f] = r;
  }
}

int WhitePawnValue(const Position& pos, int s, int stage) {
  const int r = s >> 3, f = (s & 7) + 1;
  int v = stage == 3 ? PawnEndTable[s] : PawnTable[s];
  if (r < pos.WhiteRearRow[f]) v -= 64;  // doubled: another pawn behind it
  if (pos.WhitePawnCount[f - 1] == 0 && pos.WhitePawnCount[f + 1] == 0) {
    v -= 128;  // isolated
  } else if (r > pos.WhiteRearRow[f - 1] && r > pos.WhiteRearRow[f + 1]) {
    v -= 32;  // backward
  }
  if (r <= pos.BlackRearRow[f - 1] && r <= pos.BlackRearRow[f] && r <= pos.BlackRearRow[f + 1])
    v += WhitePassedBonus[r];
  return v;
}

int BlackPawnValue(const Position& pos, int s, int stage) {
  const int r = s >> 3, f = (s & 7) + 1;
  int v = stage == 3 ? PawnEndTable[Flip[s]] : PawnTable[Flip[s]];
  if (r > pos.BlackRearRow[f]) v -= 64;
  if (pos.BlackPawnCount[f - 1] == 0 && pos.BlackPawnCount[f + 1] == 0) {
    v -= 128;
  } else if (r < pos.BlackRearRow[f - 1] && r < pos.BlackRearRow[f + 1]) {
    v -= 32;
  }
  if (r >= pos.WhiteRearRow[f - 1] && r >= pos.WhiteRearRow[f] && r >= pos.WhiteRearRow[f + 1])
    v += BlackPassedBonus[r];
  return v;
}

namespace {

bool PawnOf(const Position& pos, int s, Colour colour) {
  return pos.SquarePiece[s] == kPawn && pos.SquareColour[s] == colour;
}

}  // namespace

int WhiteOutpost(const Position& pos, int s, bool knight) {
  const int r = s >> 3, file = s & 7;
  if (r > 5) return 0;
  const bool supported =
      (file != 0 && PawnOf(pos, s + 7, Colour::kWhite)) || (file != 7 && PawnOf(pos, s + 9, Colour::kWhite));
  if (!supported || r > pos.BlackRearRow[file] || r > pos.BlackRearRow[file + 2]) return 0;
  const bool near = r == 2 || r == 3;
  return knight ? (near ? 64 : 32) : (near ? 32 : 16);
}

int BlackOutpost(const Position& pos, int s, bool knight) {
  const int r = s >> 3, file = s & 7;
  if (r < 2) return 0;
  const bool supported =
      (file != 0 && PawnOf(pos, s - 9, Colour::kBlack)) || (file != 7 && PawnOf(pos, s - 7, Colour::kBlack));
  if (!supported || r < pos.WhiteRearRow[file] || r < pos.WhiteRearRow[file + 2]) return 0;
  const bool near = r == 4 || r == 5;
  return knight ? (near ? 64 : 32) : (near ? 32 : 16);
}

}  // namespace morvi::evalterms
