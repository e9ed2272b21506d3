// Reading the book file a piece of a line at a time: like the C library's
// line reader with a length limit, except that a line end written as "\r\n"
// (a book made on another system) reads the same as "\n".
#include <cstdio>

#include "book/opening_book.h"

namespace morvi {

bool ReadBookLine(std::FILE* file, std::size_t limit, std::string& line) {
  line.clear();
  if (file == nullptr) return false;
  while (line.size() < limit) {
    int c = std::getc(file);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next == '\n' || next == EOF) c = '\n';
      else std::ungetc(next, file);
    }
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !line.empty();
}

}  // namespace morvi
