// The engine state's one instance, with its process-start values, and the
// reset to the state of a new game.
#include "engine/engine_state.h"

namespace morvi {

EngineState engineState;

void ResetEngineState(EngineState& state) {
  state.engineColour = Colour::kBlack;
  state.engineActive = true;
  state.ponderEnabled = true;
  state.postEnabled = true;
  state.pondering = false;
  state.ponderHit = false;
  state.ponderFinished = false;
  state.editMode = false;
  state.analysisDone = false;
  state.movesPerControl = 0;
  state.baseTime = 0;
  state.increment = 0;
  state.depthLimit = 0;
  state.positionRefused = false;
  state.ownTime = 0;
  state.opponentTime = 0;
  state.opponentName.clear();
  state.ownRating = 1000;
  state.opponentRating = 1000;
  state.moveNumber = 1;
}

}  // namespace morvi
