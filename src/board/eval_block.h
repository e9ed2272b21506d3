// The evaluation's terms as the position carries them: (White, Black) pairs
// that the evaluation's term computation fills and its driver weights and
// sums. The evaluation owns their meaning; the board only holds them.
#pragma once

#include "board/colour.h"

namespace morvi {

struct EvalBlock {
  ByColour<int> totalMaterial;   // pawns + pieces; weight MaterialFactorS
  ByColour<int> stageMaterial;   // copy of pieceMaterial; read by the game-stage rule
  ByColour<int> pieceMaterial;   // knights, bishops, rooks, queens
  ByColour<int> pawnMaterial;
  ByColour<int> twoBishops;      // TwoBishopFactorS
  ByColour<int> bishopTrap;      // BishopTrapFactorS
  ByColour<int> pawnPosition;    // PosPawnFactorS
  ByColour<int> bishopPosition;  // PosBishopFactorS
  ByColour<int> knightPosition;  // PosKnightFactorS
  ByColour<int> rookPosition;    // PosRookFactorS
  ByColour<int> kingPosition;    // PosKingFactorS
  ByColour<int> rookPair;        // RookPairFactorS
  ByColour<int> knightOutpost;   // KnightOutpostFactorS
  ByColour<int> bishopOutpost;   // BishopOutpostFactorS
  ByColour<int> development;     // DevFactorS
  ByColour<int> kingAttack;      // KingAttackFactorS
  int soloQueen;                 // +1536 only White has a queen, -1536 only Black; SoloQueenFactorS
};

}  // namespace morvi
