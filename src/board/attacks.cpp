// Attack and check queries on the current position.
#include "board/attack_test.h"

namespace morvi {

bool Position::IsAttacked(int square, Colour byColour) const { return SquareAttackedBy(*this, square, byColour); }

bool Position::InCheck(Colour colour) const {
  return SquareAttackedBy(*this, KingSquare(*this, colour), Opponent(colour));
}

}  // namespace morvi
