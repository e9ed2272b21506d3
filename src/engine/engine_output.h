// What the engine tells the other side of the game, in the protocol's words:
// its moves, results, hints and errors. Each line goes to the console and,
// where the protocol keeps a record of it, to the debug log.
#pragma once

#include <string>
#include <string_view>

#include "board/move.h"

namespace morvi {

// A log record of a text that may end in its own line end: such a text gets
// no second one.
void LogText(std::string_view category, std::string_view text);

// "N. ... move": the engine's move, with the full-move number.
void AnnounceMove(int moveNumber, Move move);

// A result line such as "1-0 {White mates}\n", on the console and in the log.
void AnnounceResult(std::string_view line);

// "Hint: move" for a move; nothing for a move whose from-byte is 255. Returns
// the line written (empty when none).
std::string AnnounceHint(Move move);

// The one line said when the position on the board is one the engine cannot
// play from (set up in edit mode without a king, say).
void AnnounceUnplayable();

}  // namespace morvi
