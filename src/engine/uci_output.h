// Every line the UCI dialect writes: "bestmove", the "info" lines of a
// search (thinking lines, a book move, strings), "readyok" and the
// identification. Each goes to the console in one piece and, where it is
// worth a record, to the debug log. Nothing else in the engine writes UCI
// lines.
#pragma once

#include <string_view>

#include "board/move.h"

namespace morvi {

struct Thinker;

// "info depth ... pv ...": the running search's line, cut where it stops
// being playable from the search's root; the engine's own text of the line
// goes to the debug log.
void AnnounceUciThinking(const Thinker& t);

// A thinking line for a move the search chose without a line of its own (an
// iteration whose re-search scored no move), so that the last line the GUI
// sees begins with the move it is given.
void AnnounceSearchedMove(Move move, int score);
// "info currmove M currmovenumber N".
void AnnounceCurrentMove(Move move, int number);

// "bestmove M [ponder P]" ("0000" for no move).
void AnnounceBestMove(Move move, Move reply);
// "info string TEXT".
void AnnounceInfo(std::string_view text);
// A book move's info: said to be from the book, with an info line of its own.
void AnnounceBookInfo(Move move);
// "readyok".
void AnnounceReady();
// The identification and option list, given whole.
void AnnounceUci(std::string_view text);

}  // namespace morvi
