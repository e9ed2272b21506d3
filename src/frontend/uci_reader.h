// The UCI dialect on the input side: each line a UCI GUI sends becomes one
// command record for the engine thread; lines that are not UCI commands, or
// are malformed, are ignored without a reply, as the protocol asks.
#pragma once

#include <string_view>

namespace morvi {

// True when the line is "uci" (any letter case, blanks around it ignored):
// as the first line of a session it switches the session to UCI.
bool IsUciSwitch(std::string_view line);

enum class UciLine {
  Handled,  // queued, or ignored
  Quit,     // "quit": the quit sequence
};

// Reads one UCI line and posts its record (if any).
UciLine RecognizeUciLine(std::string_view line);

}  // namespace morvi
