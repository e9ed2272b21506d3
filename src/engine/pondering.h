// Thinking on the opponent's time: playing the reply the last search expects,
// the hint, and the status line of the running or last search.
#pragma once

#include "board/move.h"

namespace morvi {

// Plays the expected reply (the second move of the last line) and archives
// it; false when there is none or it is not a legal move here.
bool StartPondering();

// While pondering the predicted reply, otherwise the second move of the last
// line; a move with from-byte 255 when there is none.
Move HintMove();

// "stat01: time nodes depth movesLeft moveCount" on the console and in the log.
void ReportStatus();

}  // namespace morvi
