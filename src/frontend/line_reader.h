// Reading standard input one line at a time into a bounded line buffer.
#pragma once

#include <cstdio>
#include <string>

namespace morvi {

// The line buffer holds 254 characters; a line that fills it is too long, so
// the longest accepted line has 253 characters.
inline constexpr size_t kLineBufferSize = 254;
inline constexpr int kMaxLineLength = 253;

enum class LineStatus { Line, TooLong, End };

// Reads one line: stops at a line feed (consumed, not stored) or at end of
// input, storing at most kLineBufferSize characters; a carriage return right
// before the line feed is dropped, as a text-mode stream does. End: the input
// ended before any character. TooLong: the buffer filled; the rest of the line
// is left unread.
LineStatus ReadInputLine(std::FILE* in, std::string& line);

// The longest line read in UCI mode, where a game's "position" line grows
// with every move; a longer line is read to its end and reported TooLong.
inline constexpr size_t kUciLineLimit = 1 << 20;

// The same for UCI mode: at most kUciLineLimit characters are kept; a longer
// line is consumed to its line end and gives TooLong.
LineStatus ReadLongInputLine(std::FILE* in, std::string& line);

}  // namespace morvi
