// The ten argument parsers of the input loop. Each checks only the form of
// its text; when the form fits it posts one command record to the queue and
// returns true, otherwise it posts nothing and returns false.
#pragma once

#include <string>

#include "engine/command.h"

namespace morvi {

// "level MPS BASE INC": BASE in minutes or minutes:seconds, INC in seconds or m:s.
bool ParseLevel(std::string text);
// "time N" or "otim N".
bool ParseClock(std::string text);
// "ponder MOVE".
bool ParsePonder(std::string text);
// "result TOKEN COMMENT" on the line as typed.
bool ParseResult(std::string text);
// "name TEXT" on the line as typed.
bool ParseName(std::string text);
// "rating OWN OPPONENT"; true whenever the keyword is at the start.
bool ParseRating(std::string text);
// Edit mode: "castle CODE" with CODE one of [+-][wb]00 or [+-][wb]000.
bool ParseCastle(std::string text);
// Edit mode: "ep SQUARE" with SQUARE on the third or sixth rank.
bool ParseEnPassant(std::string text);
// Edit mode: "Pe4" (a piece letter and a square) or "xe4" (empty the square).
bool ParsePlacement(std::string text);
// "e2e4" or "e7e8q"; posts a record with the given identifier.
bool ParseMove(CommandId id, std::string text);

}  // namespace morvi
