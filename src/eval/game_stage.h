// The game-stage rule: opening, middle game, early or late ending, judged
// before each search from the material of the side not to move and from how
// many of that side's home squares are untouched.
#pragma once

#include "board/position.h"

namespace morvi {

constexpr int kStageOpening = 0;
constexpr int kStageMiddleGame = 1;
constexpr int kStageEarlyEnding = 2;
constexpr int kStageLateEnding = 3;

// The stage for pos as the last evaluation left its stage material; the
// caller stores it in pos.GameStage and logs it. With a side to move other
// than White or Black it returns pos.GameStage unchanged.
int DecideGameStage(const Position& pos);

}  // namespace morvi
