// Whether a line of moves can be played from a position: each move one the
// position's generator makes and the rules allow, after the ones before it.
#pragma once

#include "board/position.h"

namespace morvi {

// How many moves of the line, from its first, can be played one after the
// other in pos (at most kMaxPly). pos is left as it was.
int LegalLineLength(Position& pos, const Move* line, int length);

}  // namespace morvi
