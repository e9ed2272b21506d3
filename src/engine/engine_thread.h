// The engine thread: started once at start-up, it executes the queued
// command records in arrival order, and between them plays, ponders and
// analyses; it ends right after executing the quit command.
#pragma once

namespace morvi {

// Starts the engine thread; false if it could not be started. A quiet engine
// thread (the program is ending already) writes nothing, not even its banner.
bool StartEngineThread(bool quiet = false);
// Waits for the engine thread to end. Does nothing if the thread was not
// started or has been joined already.
void JoinEngineThread();

// Ends the engine thread without its farewell line (the program is ending for
// another reason and has said why) and waits for it: a search in progress is
// stopped by the quit command it finds queued.
void StopEngineThreadQuietly();

// The engine thread's procedure: banner, InitEngine, then the loop.
void EngineThread();

}  // namespace morvi
