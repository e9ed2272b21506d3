// Pieces of the term computation shared between the evaluation's source
// files; not for use outside src/eval.
#pragma once

#include "board/position.h"

namespace morvi::evalterms {

// The pawn-structure arrays (counts and rearmost rows per file) from all pawns.
void FillPawnStructure(Position& pos);
// Pawn value (table, doubled, isolated or backward, passed) of a pawn on s.
int WhitePawnValue(const Position& pos, int s, int stage);
int BlackPawnValue(const Position& pos, int s, int stage);
// Outpost value of a knight (knight true) or bishop on s, 0 when none.
int WhiteOutpost(const Position& pos, int s, bool knight);
int BlackOutpost(const Position& pos, int s, bool knight);

// AttackCount from every piece of both sides.
void CountAttacks(Position& pos);
// King-attack value of colour's king (never positive).
int KingAttack(const Position& pos, Colour colour);

// King position and pawn shelter, scaled by the other side's piece material.
int WhiteKingPosition(const Position& pos, int stage);
int BlackKingPosition(const Position& pos, int stage);

// -1536 for a trapped bishop of colour on s, else 0.
int BishopTrap(const Position& pos, int s, Colour colour);

}  // namespace morvi::evalterms
