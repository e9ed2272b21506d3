// The xboard protocol's second version on the input thread: "protover N"
// (once "xboard" has left console mode) switches an xboard session to it
// and is answered at once with the feature lines; from then on the
// protocol's own commands are read before the first version's keyword
// searches: ping, setboard, usermove, level, time, otim, st, sd, memory,
// cores, option, "ponder off" and "ponder on"; accepted, rejected, computer,
// ics, egtpath and random are taken in silence. Lines of the first version
// are read as they always are.
#pragma once

#include <string>
#include <string_view>

#include "frontend/recognizer.h"

namespace morvi {

// "protover N" with N of 2 or more, outside console mode: writes the
// features, switches the dialect and queues the record. False for anything
// else (the line goes on through the recognition).
bool RecognizeProtover(const FrontEndState& state, const std::string& command);

// A command of the second version (command: the lower-case text; line: as
// typed). True when it was queued, answered or taken in silence.
bool RecognizeProtocol2(const std::string& command, std::string_view line);

// "st" seconds as milliseconds ("5", "0.5", "1.25"); false for other text.
bool ReadSeconds(std::string_view text, int& milliseconds);

}  // namespace morvi
