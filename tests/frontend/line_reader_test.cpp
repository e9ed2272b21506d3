// Reading input lines: the 254-character buffer, line ends, end of input.
#include "frontend/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace morvi {
namespace {

// An in-memory input stream.
class Input {
 public:
  explicit Input(std::string text) : text_(std::move(text)) {
    file_ = text_.empty() ? std::tmpfile() : fmemopen(text_.data(), text_.size(), "r");
  }
  ~Input() { std::fclose(file_); }
  std::FILE* get() { return file_; }

 private:
  std::string text_;
  std::FILE* file_;
};

TEST(LineReader, LinesAndEndOfInput) {
  Input in("go\n\nlast");
  std::string line;
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line, "go");
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line, "");
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line, "last");
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::End);
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::End);
}

TEST(LineReader, CarriageReturnBeforeLineFeedIsDropped) {
  Input in("quit\r\na\rb\n");
  std::string line;
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line, "quit");
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line, "a\rb");
}

TEST(LineReader, LongestLineIs253Characters) {
  Input in(std::string(253, 'a') + "\n" + std::string(254, 'b') + "\nrest\n");
  std::string line;
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::Line);
  EXPECT_EQ(line.size(), 253u);
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::TooLong);
  EXPECT_EQ(line, std::string(254, 'b'));
}

TEST(LineReader, OverlongLineKeepsItsFirst254Characters) {
  Input in(std::string(254, 'c') + "dd\n");
  std::string line;
  EXPECT_EQ(ReadInputLine(in.get(), line), LineStatus::TooLong);
  EXPECT_EQ(line, std::string(254, 'c'));
}

}  // namespace
}  // namespace morvi
