// The evaluation's terms as kept in the position: (White, Black) pairs that
// the term computation fills and the evaluation driver weights and sums.
#pragma once

namespace morvi {

struct EvalBlock {
  int totalMaterial[2];   // pawns + pieces; weight MaterialFactorS
  int stageMaterial[2];   // copy of pieceMaterial; read by the game-stage rule
  int pieceMaterial[2];   // knights, bishops, rooks, queens
  int pawnMaterial[2];
  int twoBishops[2];      // TwoBishopFactorS
  int bishopTrap[2];      // BishopTrapFactorS
  int pawnPosition[2];    // PosPawnFactorS
  int bishopPosition[2];  // PosBishopFactorS
  int knightPosition[2];  // PosKnightFactorS
  int rookPosition[2];    // PosRookFactorS
  int kingPosition[2];    // PosKingFactorS
  int rookPair[2];        // RookPairFactorS
  int knightOutpost[2];   // KnightOutpostFactorS
  int bishopOutpost[2];   // BishopOutpostFactorS
  int development[2];     // DevFactorS
  int kingAttack[2];      // KingAttackFactorS
  int soloQueen;          // +1536 only White has a queen, -1536 only Black; SoloQueenFactorS
};

}  // namespace morvi
