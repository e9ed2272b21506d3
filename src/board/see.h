// The static exchange on one square: what the side to move wins or loses
// when a capture starts an exchange there and both sides go on capturing,
// least valuable piece first, for as long as it pays them. A piece behind a
// capturer on its line joins in once the capturer has left (x-rays). Pins
// are not seen. A promotion counts the new piece, an en-passant capture the
// pawn it takes. The full search orders and prunes captures by it.
#pragma once

#include "board/move.h"

namespace morvi {

struct Position;

// Exchange values by piece code (pawn .. king, empty), in the evaluation's
// units: the pieces' material worth, the king more than everything else.
inline constexpr int kSeeValue[7] = {1024, 3072, 3072, 5120, 9216, 1000000, 0};

// The material the side to move ends with after the exchange that `move`
// starts on its target square (a quiet move: what it loses there, if
// anything). The move must be one the position's generator produces.
int StaticExchange(const Position& pos, Move move);

// True when the exchange cannot lose: a piece takes one worth at least as
// much (whatever is taken back, the taker is worth no more). No exchange is
// worked out for it. A king's capture is never so sure.
bool CaptureCannotLose(const Position& pos, Move move);

}  // namespace morvi
