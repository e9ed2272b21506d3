// The engine state's one instance, with its process-start values.
#include "engine/engine_state.h"

namespace morvi {

EngineState engineState;

}  // namespace morvi
