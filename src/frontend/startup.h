// Process start-up and the main input loop.
#pragma once

namespace morvi {

// Runs the whole program on the calling (main) thread; returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace morvi
