// Executing one command record on the engine thread, between two passes of
// the engine loop.
#pragma once

#include <memory>
#include <string>

#include "frontend/command.h"

namespace morvi {

// Executes the record, fills logText with what the "Command" log should say
// (empty: nothing), destroys the record. True only for the quit command.
bool ExecuteCommand(std::unique_ptr<CommandRecord> record, std::string& logText);

// "draw": accepted when the engine's score is below -4000 (the engine stops
// playing and says "offer draw"). Returns the console text ("" when declined).
std::string AnswerDrawOffer(int engineScore);

// "bk": the engine's answer; returns its log text.
std::string WriteBookAnswer();

// Makes the next quit command end the engine thread without its farewell
// line (the program is ending for another reason and has said why).
void RequestQuietQuit();
// True once RequestQuietQuit was called.
bool QuietQuitRequested();

}  // namespace morvi
