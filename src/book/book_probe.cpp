// Finding the book's move for the game so far: keep to the line being
// followed while it fits, else take the first fitting line from the file's
// read position on, wrapping around to the start once; when none fits the
// game has left the book until the next BookLoad.
#include <string>

#include "book/opening_book.h"
#include "base/debug_log.h"
#include "board/notation.h"

namespace morvi {
namespace {

// Reads lines from the current read position to the end of the file and
// stores the first that fits in `candidate`. After a fitting line one more
// line is read, so the read position ends after the line that follows it.
bool ScanForFit(OpeningBook& book, std::string& candidate) {
  std::string line;
  while (ReadBookLine(book.file, kBookProbePiece, line)) {
    if (BookLineFits(line, book.gameText)) {
      candidate.swap(line);
      ReadBookLine(book.file, kBookProbePiece, line);
      return true;
    }
  }
  return false;
}

}  // namespace

bool BookLineFits(const std::string& line, const std::string& gameText) {
  return line.size() >= gameText.size() + 4 && line.compare(0, gameText.size(), gameText) == 0;
}

bool BookProbe(int& fromSquare, int& toSquare) {
  OpeningBook& book = openingBook;
  if (!book.inBook) return false;
  std::string candidate;
  bool found = BookLineFits(book.currentLine, book.gameText);
  if (found) {
    candidate = book.currentLine;
  } else if (book.file != nullptr) {
    found = ScanForFit(book, candidate);
    if (!found) {
      std::rewind(book.file);
      found = ScanForFit(book, candidate);
    }
  }
  if (!found) {
    LogLine("Book", "Got out book");
    book.inBook = false;
    return false;
  }
  book.currentLine = candidate;
  const std::size_t n = book.gameText.size();
  // The line is not checked: whatever four characters follow give two numbers.
  fromSquare = UncheckedSquare(candidate[n], candidate[n + 1]);
  toSquare = UncheckedSquare(candidate[n + 2], candidate[n + 3]);
  LogLine("Book", "Staying in book");
  return true;
}

}  // namespace morvi
