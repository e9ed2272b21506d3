// The opponent's moves: finding a move the record names among the moves the
// position allows, playing and archiving it, and the draw by repetition.
#pragma once

#include <string>

#include "board/move.h"
#include "engine/command.h"

namespace morvi {

// The promotion piece a move record asks for: the queen when it names none.
constexpr int WantedPromotion(int movePromotion) { return movePromotion == -1 ? 4 : movePromotion; }

// True when a generated move is the one a record names: same squares, and for
// a promotion the piece the record asks for (a letter on a move that does
// not promote is not looked at).
bool MoveMatchesRecord(Move move, int from, int to, int movePromotion);

// The generated move of the side to move that the record's fields name, or
// kNoMove.
Move FindGeneratedMove(int from, int to, int movePromotion);

// The first generated move with these squares whatever it promotes to (the
// queen comes first among promotions), or kNoMove.
Move FindMoveBySquares(int from, int to);

// True when the position has at least one legal move.
bool HasLegalMove();

// The first legal move of the generator's order (the best-ordered one), or 0
// (kNoMove) when there is none.
Move FirstLegalMove();

// True when `reply` is a legal move of the opponent once `move` is played
// (both are only tried; the position stays as it is). A line of the search
// can carry a move of an older line past its true end.
bool IsLegalReply(Move move, Move reply);

// Validates and plays the record's move for the side to move; writes the
// refusal or repetition message, and fills the command's log text.
void EnterUserMove(const CommandRecord& record, std::string& logText);

// True when the position has truly stood on the board twice before, with
// the same castling rights and en-passant capture: a draw that may be
// claimed. The protocol's first version (and the console) claims it only
// when the position also equals an entry of the repetition list other than
// the oldest; the second version claims every true third stand. Called
// before the position is archived.
bool IsRepetition();

}  // namespace morvi
