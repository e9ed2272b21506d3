// The quiescence search below the horizon of the tree search: stand pat on
// the static evaluation, then only captures and promotions (all moves when in
// check), with a cheaper evaluation level the deeper it goes.
#pragma once

#include "eval/evaluate.h"

namespace morvi {

// Evaluation level for the remaining depth (depth - ply): Fast below
// FastEvalDepth, Medium below MediumEvalDepth, Complete otherwise.
EvalLevel EvalLevelFor(int remaining);

// Score of the current position for the side to move, within (alpha, beta).
int Quiesce(int ply, int depth, int alpha, int beta);

}  // namespace morvi
