// The text of the game's moves that the book matches its lines against:
// four characters per move, appended and dropped by the game archive.
#include "book/opening_book.h"

namespace morvi {

void BookAppendMove(Move move) {
  const int from = MoveFrom(move);
  const int to = MoveTo(move);
  const char text[4] = {static_cast<char>('a' + (from & 7)), static_cast<char>('0' + 8 - (from >> 3)),
                        static_cast<char>('a' + (to & 7)), static_cast<char>('0' + 8 - (to >> 3))};
  openingBook.gameText.append(text, 4);
}

void BookDropMove() {
  std::string& text = openingBook.gameText;
  text.resize(text.size() >= 4 ? text.size() - 4 : 0);
}

}  // namespace morvi
