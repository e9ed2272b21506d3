// Loading the book: the random line choice over one-, two- and ten-line files,
// the piece-wise line reader, missing and empty files, and the log records.
#include <set>

#include "book_fixture.h"

namespace morvi::testing_book {
namespace {

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line" + std::to_string(i) + "\n";
  return text;
}

TEST_F(BookTest, TargetLineStaysWithinTheCountedLines) {
  std::set<int> seen;
  for (unsigned seed = 0; seed < 3000; ++seed) {
    SeedRandom(seed);
    const int target = BookTargetLine(8);
    ASSERT_GE(target, 0);
    ASSERT_LE(target, 8);
    seen.insert(target);
  }
  // Target 8 needs the largest number the generator gives: rare, but allowed.
  for (int target = 0; target <= 7; ++target) EXPECT_EQ(seen.count(target), 1u) << target;
  for (unsigned seed = 0; seed < 300; ++seed) {
    SeedRandom(seed);
    EXPECT_EQ(BookTargetLine(0), 0);
    SeedRandom(seed);
    EXPECT_LE(BookTargetLine(-1), 0);
  }
}

TEST_F(BookTest, TargetLineForHugeFilesDoesNotOverflow) {
  for (unsigned seed = 0; seed < 100; ++seed) {
    SeedRandom(seed);
    const long long r2 = BookTargetLine(kRandomMax);  // the drawn number itself
    SeedRandom(seed);
    ASSERT_EQ(BookTargetLine(1 << 30), r2 * (1 << 30) / kRandomMax);
  }
}

TEST_F(BookTest, OneLineFileAlwaysChoosesItsLine) {
  UseBook("e2e4e7e5\n");
  for (unsigned seed = 0; seed < 200; ++seed) {
    openingBook.gameText = "d2d4";
    BookLoadSeeded(seed);
    ASSERT_TRUE(openingBook.inBook);
    ASSERT_EQ(openingBook.lineCount, -1);
    ASSERT_EQ(openingBook.currentLine, "e2e4e7e5\n");
    ASSERT_TRUE(openingBook.gameText.empty());
  }
}

TEST_F(BookTest, TwoLineFileChoosesTheLastLine) {
  UseBook("e2e4e7e5\nd2d4d7d5\n");
  for (unsigned seed = 0; seed < 200; ++seed) {
    BookLoadSeeded(seed);
    ASSERT_EQ(openingBook.lineCount, 0);
    ASSERT_EQ(openingBook.currentLine, "d2d4d7d5\n");
  }
}

TEST_F(BookTest, TenLineFileNeverStartsOnLineNine) {
  UseBook(NumberedLines(10));
  std::set<std::string> chosen;
  for (unsigned seed = 0; seed < 3000; ++seed) {
    BookLoadSeeded(seed);
    ASSERT_EQ(openingBook.lineCount, 8);
    SeedRandom(seed);
    const int target = BookTargetLine(8);
    const int line = target > 0 ? target : 10;
    ASSERT_EQ(openingBook.currentLine, "line" + std::to_string(line) + "\n");
    chosen.insert(openingBook.currentLine);
  }
  EXPECT_EQ(chosen.count("line9\n"), 0u);
  for (int line : {1, 2, 3, 4, 5, 6, 7, 10}) EXPECT_EQ(chosen.count("line" + std::to_string(line) + "\n"), 1u);
}

TEST_F(BookTest, LoadLogsTheFileAndTheChosenLine) {
  const std::string path = UseBook("c2c4\ng1f3\nd2d4\n");
  BookLoadSeeded(SeedForTarget(1, 1));
  BookLoadSeeded(SeedForTarget(1, 0));
  const std::vector<std::string> expected = {
      "      Book: Book file openned: " + path + " \n", "      Book: At book line: 1  : c2c4\n",
      "      Book: Book file openned: " + path + " \n", "      Book: At book line: 0  : d2d4\n"};
  EXPECT_EQ(LogRecords(), expected);
}

TEST_F(BookTest, MissingFileLeavesTheBook) {
  config.bookPath = (dir_ / "absent.book").string();
  openingBook.gameText = "e2e4";
  BookLoadSeeded(7);
  EXPECT_FALSE(openingBook.inBook);
  EXPECT_EQ(openingBook.file, nullptr);
  EXPECT_TRUE(openingBook.gameText.empty());
  int from = -1, to = -1;
  EXPECT_FALSE(BookProbe(from, to));
  const std::vector<std::string> expected = {"      Book: Cannot open book file: " + config.bookPath + " \n"};
  EXPECT_EQ(LogRecords(), expected);
}

TEST_F(BookTest, EmptyFileChoosesAnEmptyLineAndLeavesAtTheFirstProbe) {
  UseBook("d2d4\nd7d5\nc2c4\nc7c6\n");
  BookLoadSeeded(SeedForTarget(2, 2));
  ASSERT_EQ(openingBook.currentLine, "d7d5\n");
  // An empty file keeps the earlier line count; whatever the target, no line
  // is read and nothing of the earlier file's line survives.
  UseBook("", "empty.book");
  for (unsigned seed = 0; seed < 50; ++seed) {
    BookLoadSeeded(seed);
    ASSERT_TRUE(openingBook.inBook);
    ASSERT_EQ(openingBook.lineCount, 2);
    ASSERT_TRUE(openingBook.currentLine.empty());
  }
  int from = -1, to = -1;
  EXPECT_FALSE(BookProbe(from, to));
  EXPECT_FALSE(openingBook.inBook);
  const std::vector<std::string> records = LogRecords();
  ASSERT_GE(records.size(), 2u);
  EXPECT_EQ(records[records.size() - 2].find("      Book: At book line: "), 0u);
  EXPECT_EQ(records.back(), "      Book: Got out book \n");
}

TEST_F(BookTest, LastLineWithoutLineEndIsChosenWhole) {
  UseBook("c2c4\nd2d4d7d5");
  BookLoadSeeded(1);
  EXPECT_EQ(openingBook.currentLine, "d2d4d7d5");
  // The record still ends its own line.
  EXPECT_EQ(LogRecords().back(), "      Book: At book line: 0  : d2d4d7d5\n");
}

TEST_F(BookTest, LoadCountsALongLineAsSeveralPieces) {
  UseBook(std::string(kBookLoadPiece + 2, 'x') + "\n");
  BookLoadSeeded(3);
  EXPECT_EQ(openingBook.lineCount, 0);
  EXPECT_EQ(openingBook.currentLine, "xx\n");
}

TEST_F(BookTest, EveryLoadClosesTheEarlierStream) {
  // Far more loads than a process may hold open files.
  UseBook("e2e4\n");
  for (int i = 0; i < 5000; ++i) {
    BookLoadSeeded(static_cast<unsigned>(i));
    ASSERT_TRUE(openingBook.inBook) << "load " << i;
  }
}

TEST(BookLineReader, ReadsPiecesLikeALimitedLineReader) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  std::fputs("ab\r\n\r\ncd\re\nfghij\nk\r", file);
  std::rewind(file);
  std::string line;
  std::vector<std::string> pieces;
  while (ReadBookLine(file, 3, line)) pieces.push_back(line);
  const std::vector<std::string> expected = {"ab\n", "\n", "cd\r", "e\n", "fgh", "ij\n", "k\n"};
  EXPECT_EQ(pieces, expected);
  EXPECT_FALSE(ReadBookLine(file, 3, line));
  EXPECT_TRUE(line.empty());
  EXPECT_FALSE(ReadBookLine(nullptr, 3, line));
  std::fclose(file);
}

}  // namespace
}  // namespace morvi::testing_book
