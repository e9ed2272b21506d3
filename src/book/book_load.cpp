// Opening the book for a new game: count the file's lines, pick a random line
// to follow, and start an empty record of the game's moves.
#include <string>

#include "book/opening_book.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "base/clock.h"
#include "base/random.h"

namespace morvi {
namespace {

// Counts the file's pieces; lineCount becomes their number minus 2 (and stays
// as it was for a file without lines). Returns the last piece read.
std::string CountLines(OpeningBook& book) {
  std::string piece, last;
  int count = 0;
  while (ReadBookLine(book.file, kBookLoadPiece, piece)) {
    ++count;
    book.lineCount = count - 2;
    last.swap(piece);
  }
  return last;
}

// The record of the chosen line normally ends with the line's own line end;
// a last line without one, or a cut piece, gets a line end of its own.
void LogChosenLine(int target, const std::string& line) {
  std::string text = "At book line: " + std::to_string(target) + "  : " + line;
  if (line.empty() || line.back() != '\n') text += '\n';
  LogLine("Book", text, "");
}

}  // namespace

int BookTargetLine(int lineCount) {
  const int r1 = Random15();
  const int draws = (r1 * 100) / kRandomMax + 1;
  int r2 = 0;
  for (int i = 0; i < draws; ++i) r2 = Random15();
  return static_cast<int>((static_cast<long long>(r2) * lineCount) / kRandomMax);
}

void BookLoadSeeded(unsigned seed) {
  OpeningBook& book = openingBook;
  if (book.file != nullptr) std::fclose(book.file);
  book.file = std::fopen(config.bookPath.c_str(), "r");
  if (book.file == nullptr) {
    book.inBook = false;
    LogLine("Book", "Cannot open book file: " + config.bookPath);
  } else {
    LogLine("Book", "Book file openned: " + config.bookPath);
    book.inBook = true;
    std::string chosen = CountLines(book);
    std::rewind(book.file);
    SeedRandom(seed);
    const int target = BookTargetLine(book.lineCount);
    if (target > 0) {
      chosen.clear();
      std::string piece;
      for (int i = 0; i < target && ReadBookLine(book.file, kBookLoadPiece, piece); ++i) chosen.swap(piece);
    }
    book.currentLine = chosen;
    LogChosenLine(target, book.currentLine);
  }
  book.gameText.clear();
}

void BookLoad() { BookLoadSeeded(static_cast<unsigned>(CalendarSeconds())); }

}  // namespace morvi
