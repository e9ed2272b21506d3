// Start-up: not built yet.
#include "frontend/startup.h"

namespace morvi {

int RunProgram(int, char**) { return 0; }

}  // namespace morvi
