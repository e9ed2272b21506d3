// The thinking line of post mode: depth, score in hundredths of a pawn,
// centiseconds, nodes and the root line, written to the console and mirrored
// into the debug log whenever the root line changed (or when forced).
#pragma once

#include <cstddef>

namespace morvi {

// Room for the longest line: the four numbers, a predicted move and 128 moves.
constexpr std::size_t kThinkingLineSize = 1024;

// Writes the line (without its line end) into out and copies the printed
// entries into the Thinker's printedPv. Returns the text's length.
std::size_t FormatThinkingLine(char (&out)[kThinkingLineSize]);

// Prints the line when force is set or the root line changed since the last
// print, and only when the root row holds a move.
void PrintThinking(bool force);

}  // namespace morvi
