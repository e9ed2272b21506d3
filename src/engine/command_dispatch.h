// Executing one command record on the engine thread, between two passes of
// the engine loop: "quit" ends the thread, every other record goes to the
// session of the active dialect.
#pragma once

#include <memory>
#include <string>

#include "engine/command.h"

namespace morvi {

// Executes the record, fills logText with what the "Command" log should say
// (empty: nothing), destroys the record. True only for the quit command.
bool ExecuteCommand(std::unique_ptr<CommandRecord> record, std::string& logText);

// Makes the next quit command end the engine thread without its farewell
// line (the program is ending for another reason and has said why).
void RequestQuietQuit();
// True once RequestQuietQuit was called.
bool QuietQuitRequested();

}  // namespace morvi
