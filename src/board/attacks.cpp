// Attack and check queries on the current position.
#include "board/attack_test.h"

namespace morvi {

bool Position::IsAttacked(int square, int byColour) const { return SquareAttackedBy(*this, square, byColour); }

bool Position::InCheck(int colour) const { return SquareAttackedBy(*this, KingSquare(*this, colour), colour ^ 1); }

}  // namespace morvi
