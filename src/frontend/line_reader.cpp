// Line reading with the line buffer's bound and text-mode line ends.
#include "frontend/line_reader.h"

namespace morvi {

LineStatus ReadInputLine(std::FILE* in, std::string& line) {
  line.clear();
  int c = std::getc(in);
  if (c == EOF) return LineStatus::End;
  while (c != EOF && c != '\n') {
    if (c == '\r') {
      int next = std::getc(in);
      if (next == '\n' || next == EOF) break;  // "\r\n" or a final "\r": a line end
      std::ungetc(next, in);
    }
    line.push_back(static_cast<char>(c));
    if (line.size() >= kLineBufferSize) return LineStatus::TooLong;
    c = std::getc(in);
  }
  return LineStatus::Line;
}

LineStatus ReadLongInputLine(std::FILE* in, std::string& line) {
  line.clear();
  int c = std::getc(in);
  if (c == EOF) return LineStatus::End;
  bool tooLong = false;
  while (c != EOF && c != '\n') {
    if (line.size() < kUciLineLimit) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
    c = std::getc(in);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return tooLong ? LineStatus::TooLong : LineStatus::Line;
}

}  // namespace morvi
