// King position: the king's table entry, the pawn shelter on its wing (or the
// open centre files next to it), the enemy pawns storming that wing, and the
// whole scaled by the enemy's piece material so that a bare king matters less
// once the pieces are off. The two sides are not exact mirrors: Black's file
// f costs -34 where White's costs -24.
#include "eval/eval_internal.h"
#include "eval/eval_tables.h"

namespace morvi::evalterms {

using namespace evaltables;

namespace {

// Shelter penalties for one file: own rearmost pawn still at home (0), one
// step up, further up; no own pawn with or without an enemy pawn on the file.
struct Shelter {
  int oneStep, further, noneEnemy, noneAtAll;
};
constexpr Shelter kEdgeShelter = {-16, -32, -48, -64};      // files a, b, g, h
constexpr Shelter kThirdShelter = {-8, -24, -32, -48};      // files c and f
constexpr Shelter kBlackFShelter = {-8, -34, -32, -48};     // Black's file f

// White's shelter on file f (0-7): rearmost White pawn on row 6-7, 5, above.
int WhiteShelter(const Position& pos, int f, const Shelter& shelter) {
  if (pos.WhitePawnCount[f + 1] == 0) return pos.BlackPawnCount[f + 1] > 0 ? shelter.noneEnemy : shelter.noneAtAll;
  const int rear = pos.WhiteRearRow[f + 1];
  return rear >= 6 ? 0 : rear == 5 ? shelter.oneStep : shelter.further;
}

int BlackShelter(const Position& pos, int f, const Shelter& shelter) {
  if (pos.BlackPawnCount[f + 1] == 0) return pos.WhitePawnCount[f + 1] > 0 ? shelter.noneEnemy : shelter.noneAtAll;
  const int rear = pos.BlackRearRow[f + 1];
  return rear <= 1 ? 0 : rear == 2 ? shelter.oneStep : shelter.further;
}

// Black pawns advancing on White's wing: rearmost on row 3: -8, row 4 or more: -16.
int BlackStorm(const Position& pos, int f) {
  if (pos.BlackPawnCount[f + 1] == 0) return 0;
  const int rear = pos.BlackRearRow[f + 1];
  return rear == 3 ? -8 : rear >= 4 ? -16 : 0;
}

// White pawns advancing on Black's wing: rearmost on row 4: -8, below row 4: -16.
int WhiteStorm(const Position& pos, int f) {
  if (pos.WhitePawnCount[f + 1] == 0) return 0;
  const int rear = pos.WhiteRearRow[f + 1];
  return rear == 4 ? -8 : rear < 4 ? -16 : 0;
}

// Centre files without a pawn of either colour: -16 each.
int OpenCentre(const Position& pos, int kingFile) {
  int v = 0;
  for (int f = kingFile - 1; f <= kingFile; ++f) {
    if (pos.WhitePawnCount[f + 1] == 0 && pos.BlackPawnCount[f + 1] == 0) v -= 16;
  }
  return v;
}

int Scaled(int v, int enemyPieceMaterial) {
  const int m = enemyPieceMaterial >> 13;
  return m > 0 ? v * m : v;
}

}  // namespace

int WhiteKingPosition(const Position& pos, int stage) {
  const int k = pos.PieceAr[pos.LightStart];
  if (k >= 64) return 0;
  const int fk = k & 7;
  int v = stage == 3 ? KingEndTable[k] : KingTable[k];
  if (fk <= 2) {
    v += WhiteShelter(pos, 0, kEdgeShelter) + WhiteShelter(pos, 1, kEdgeShelter) +
         WhiteShelter(pos, 2, kThirdShelter);
    v += BlackStorm(pos, 0) + BlackStorm(pos, 1) + BlackStorm(pos, 2);
  } else if (fk <= 4) {
    v += OpenCentre(pos, fk);
  } else {
    v += WhiteShelter(pos, 7, kEdgeShelter) + WhiteShelter(pos, 6, kEdgeShelter) +
         WhiteShelter(pos, 5, kThirdShelter);
    v += BlackStorm(pos, 5) + BlackStorm(pos, 6) + BlackStorm(pos, 7);
  }
  return Scaled(v, pos.eval.pieceMaterial[Colour::kBlack]);
}

int BlackKingPosition(const Position& pos, int stage) {
  const int k = pos.PieceAr[pos.DarkStart];
  if (k >= 64) return 0;
  const int fk = k & 7;
  int v = stage == 3 ? KingEndTable[Flip[k]] : KingTable[Flip[k]];
  if (fk <= 2) {
    v += BlackShelter(pos, 0, kEdgeShelter) + BlackShelter(pos, 1, kEdgeShelter) +
         BlackShelter(pos, 2, kThirdShelter);
    v += WhiteStorm(pos, 0) + WhiteStorm(pos, 1) + WhiteStorm(pos, 2);
  } else if (fk <= 4) {
    v += OpenCentre(pos, fk);
  } else {
    v += BlackShelter(pos, 7, kEdgeShelter) + BlackShelter(pos, 6, kEdgeShelter) +
         BlackShelter(pos, 5, kBlackFShelter);
    v += WhiteStorm(pos, 5) + WhiteStorm(pos, 6) + WhiteStorm(pos, 7);
  }
  return Scaled(v, pos.eval.pieceMaterial[Colour::kWhite]);
}

}  // namespace morvi::evalterms
