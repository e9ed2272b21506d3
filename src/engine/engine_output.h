// What the engine tells the other side of the game, in the session's dialect
// (xboard or UCI): its moves, thinking lines, results, hints and errors. Each
// line goes to the console and, where it is worth a record, to the debug log.
// Nothing else in the engine writes protocol lines.
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

// True when the session speaks UCI.
bool UciDialect();

// A thinking line of the running search: xboard's " depth score time nodes
// pv" or UCI's "info depth ...". The xboard text is given ready-made.
void AnnounceThinking(std::string_view xboardLine);

// UCI: a thinking line for a move the search chose without a line of its
// own (an iteration whose re-search scored no move), so that the last line
// the GUI sees begins with the move it is given.
void AnnounceSearchedMove(Move move, int score);

// UCI only: "bestmove M [ponder P]" ("0000" for no move), "info string TEXT",
// "readyok", and the identification text given whole.
void AnnounceBestMove(Move move, Move reply);
void AnnounceInfo(std::string_view text);
// A book move's info: said to be from the book, with an info line of its own.
void AnnounceBookInfo(Move move);
void AnnounceReady();
void AnnounceUci(std::string_view text);

// The engine's farewell at "quit" (xboard and the console only).
void AnnounceFarewell();

}  // namespace morvi
