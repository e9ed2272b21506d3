// Every line the xboard dialect writes (and what a person at the console
// reads): the engine's moves, results, hints, thinking lines, draw offers,
// refusals, status and statistics lines, the board diagram and the banner.
// Each goes to the console in one piece and, where it is worth a record, to
// the debug log. Nothing else in the engine writes xboard lines.
#pragma once

#include <string>
#include <string_view>

#include "board/move.h"

namespace morvi {

struct Thinker;

// "N. ... move": the engine's move, with the full-move number; in the
// protocol's second version "move M", the promotion letter always written.
void AnnounceMove(int moveNumber, Move move);

// A result line such as "1-0 {White mates}\n", on the console and in the log.
void AnnounceResult(std::string_view line);

// The result of a game the engine finds over before its move (mated or
// stalemated): on the console only.
void AnnounceGameOver(std::string_view line);

// "Hint: move" for a move; nothing for kNoMove. Returns the line written
// (empty when none).
std::string AnnounceHint(Move move);

// The thinking line of the running search, led by the predicted reply while
// a ponder search has not been hit.
void AnnounceThinking(const Thinker& t);

// "Error (Illegal position - the engine cannot play it)".
void AnnounceUnplayable();

// "offer draw"; returns the line.
std::string AnnounceDrawOffer();

// The answer to "bk"; returns its log text.
std::string AnnounceBookAnswer();

// A refused command or move: the line as given (it ends in its line end).
void AnnounceRefusal(std::string_view line);

// Why the opponent's move was refused.
enum class MoveRefusal {
  kNotFound,         // not among the generated moves
  kNotMade,          // it leaves the king attacked, or castles through check
  kRefusedPosition,  // there is no position to play on ("setboard" refused one)
};
// The refusal of a move from..to (promotion: a piece code or -1): the first
// version's lines, or "Illegal move: M" and "Illegal move (reason): M".
void AnnounceIllegalMove(MoveRefusal why, int from, int to, int promotion);

// "pong N".
void AnnouncePong(std::string_view number);

// "tellusererror Illegal position: FEN": "setboard" gave a position the
// engine cannot play. The text the GUI sent is named, so that the user sees
// which one, and a GUI that sends an empty board to stop an analysis (and
// knows its own text) can tell that answer from a real refusal. A position
// whose only fault is that the side not to move is in check (kingExposed)
// is answered "Error (Illegal position: the side not to move is in check):
// setboard FEN", which GUIs take without a message box.
void AnnounceIllegalPosition(std::string_view fen, bool kingExposed);

// The search ended with a move the position refuses.
void AnnounceIllegalSearchMove();

// "stat01: ..." on the console and in the "Stats" log.
void AnnounceStatus(std::string_view line);

// A statistics line of the pass, on the console and in the log.
void AnnounceStatistic(std::string_view line);

// The board diagram of "d".
void AnnounceBoard(std::string_view diagram);

// "telluser Morvi V(version)" at the engine thread's start.
void AnnounceEngineStart(std::string_view version);

// "Engine: Bye-bye ..." at "quit".
void AnnounceFarewell();

}  // namespace morvi
