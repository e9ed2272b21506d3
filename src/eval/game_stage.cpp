// The game-stage rule (first version).
#include "eval/game_stage.h"

namespace morvi {

int DecideGameStage(const Position& pos) { return pos.GameStage; }

}  // namespace morvi
