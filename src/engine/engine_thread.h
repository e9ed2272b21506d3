// The engine thread: started once at start-up, it takes the queued command
// records in arrival order and ends after it has taken the quit command.
// For now it is a stand-in that destroys each record without executing it.
#pragma once

namespace morvi {

// Starts the engine thread; false if it could not be started.
bool StartEngineThread();
// Waits for the engine thread to end (it ends after taking CMD_QUIT). Does
// nothing if the thread was not started or has been joined already.
void JoinEngineThread();

}  // namespace morvi
