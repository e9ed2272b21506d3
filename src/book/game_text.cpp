// The text of the game's moves that the book matches its lines against:
// four characters per move, appended and dropped by the game archive.
#include "book/opening_book.h"

#include "board/notation.h"

namespace morvi {

// The squares are read as signed bytes and written by the square rule for any
// number, so that every move word takes four characters.
void BookAppendMove(Move move) {
  char text[4];
  WriteSquare(MoveFrom(move), text);
  WriteSquare(MoveTo(move), text + 2);
  openingBook.gameText.append(text, 4);
}

void BookDropMove() {
  std::string& text = openingBook.gameText;
  text.resize(text.size() >= 4 ? text.size() - 4 : 0);
}

}  // namespace morvi
