// The engine thread's one opening book object.
#include "book/opening_book.h"

namespace morvi {

OpeningBook openingBook;

}  // namespace morvi
