// The opening book: a text file of opening lines, one randomly chosen line to
// follow, and the text of the moves played so far in the game.
#pragma once

#include <cstddef>
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

// The book as the program starts it: its file closed, no line, no game text.
void ResetOpeningBook();

void BookLoad();
bool BookProbe(int& fromSquare, int& toSquare);
void BookAppendMove(Move move);
void BookDropMove();

// Longest piece of a line read at a time while loading and while probing;
// a longer line is read as several pieces, each taken as a line.
constexpr std::size_t kBookLoadPiece = 1988;
constexpr std::size_t kBookProbePiece = 255;

// Reads the next piece of a book line: characters up to and including the
// line end, at most `limit` of them. A "\r\n" or a "\r" just before the end
// of the file is read as the single line end "\n". False at the end of the
// file (nothing read).
bool ReadBookLine(std::FILE* file, std::size_t limit, std::string& line);

// BookLoad with a given seed instead of the calendar time.
void BookLoadSeeded(unsigned seed);

// The line to start from, drawn with Random15 from an already seeded
// generator: 1 .. lineCount names that line, 0 or less the file's last line.
int BookTargetLine(int lineCount);

// A line fits the game when it is at least one move longer than gameText
// (its line end counted) and begins with exactly gameText.
bool BookLineFits(const std::string& line, const std::string& gameText);

}  // namespace morvi
