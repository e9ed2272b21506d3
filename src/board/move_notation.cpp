// How a played move is written to the other side of the game: coordinates,
// and the piece letter of a promotion where the reader needs it.
#include <string>

#include "board/position.h"

namespace morvi {

std::string GameMoveText(Move move, bool queenLetter) {
  std::string text = MoveText(move);
  if ((MoveFlags(move) & kPromotion) == 0) return text;
  const int piece = MovePromotion(move);
  if (piece < kKnight || piece > kQueen) return text;
  if (piece != kQueen || queenLetter) text += "pnbrqk"[piece];
  return text;
}

}  // namespace morvi
