// The opening book: a text file of opening lines, one randomly chosen line to
// follow, and the text of the moves played so far in the game.
#pragma once

#include <cstdio>
#include <string>

#include "board/move.h"

namespace morvi {

struct OpeningBook {
  std::string gameText;     // every move played, four characters each
  std::string currentLine;  // the line being followed, line end included
  bool inBook = false;      // book moves are still looked up
  std::FILE* file = nullptr;
  int lineCount = 0;        // lines counted by BookLoad, minus 2
};

// The one book of the engine thread.
extern OpeningBook openingBook;

void BookLoad();
bool BookProbe(int& fromSquare, int& toSquare);
void BookAppendMove(Move move);
void BookDropMove();

}  // namespace morvi
