// Whether a line of moves can be played from a position: each move one the
// position's generator makes and the rules allow, after the ones before it,
// and none after the game is over (a position standing for the third time,
// counting the game's positions, or the fifty-move rule).
#pragma once

#include "board/position.h"

namespace morvi {

// How many moves of the line, from its first, can be played one after the
// other in pos (at most kMaxPly): the line ends at a move that is not legal,
// and after a move that repeats a position for the third time or completes
// the fifty moves. pos is left as it was.
int PlayableLineLength(Position& pos, const Move* line, int length);

}  // namespace morvi
