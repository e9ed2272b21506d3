// The engine thread's one opening book object and its reset.
#include "book/opening_book.h"

namespace morvi {

OpeningBook openingBook;

void ResetOpeningBook() {
  if (openingBook.file != nullptr) std::fclose(openingBook.file);
  openingBook = OpeningBook{};
}

}  // namespace morvi
