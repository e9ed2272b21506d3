// The engine thread's one position and its shared move stack.
#include "board/move.h"
#include "board/position.h"

namespace morvi {

Position position;
MoveStack moveStack;

}  // namespace morvi
