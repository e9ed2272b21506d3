// Process start-up, the main input loop and the quit sequence.
#pragma once

namespace morvi {

// Exit codes of the process.
enum ExitCode : int {
  EXIT_QUIT = 0,             // "quit", "bye" or end of input: orderly end
  EXIT_LINE_TOO_LONG = 2,    // an input line of 254 characters or more
  EXIT_NO_ENGINE = 3,        // the engine thread could not be started
  EXIT_NO_DEBUG_FILE = 4,    // the debug log could not be created under either name
};

// Runs the whole program on the calling (main) thread; returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace morvi
