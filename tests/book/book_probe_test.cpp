// Probing the book: keeping to the chosen line, leaving it after a deviation
// for the next fitting line (with the extra line read and the wrap to the
// start of the file), leaving the book for good, and the game text.
#include "book_fixture.h"

namespace morvi::testing_book {
namespace {

void Play(const char* moves) {
  for (const char* m = moves; m[0] != '\0'; m += 4) BookAppendMove(BookMove(m));
}

struct Probe {
  bool found;
  int from;
  int to;
};

Probe ProbeBook() {
  Probe p{false, -1, -1};
  p.found = BookProbe(p.from, p.to);
  return p;
}

TEST_F(BookTest, FollowsTheChosenLineUntilItEnds) {
  UseBook("e2e4e7e5g1f3\n");
  BookLoadSeeded(11);
  Probe p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(p.from, 52);
  EXPECT_EQ(p.to, 36);

  Play("e2e4e7e5");
  ASSERT_EQ(openingBook.gameText, "e2e4e7e5");
  p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(p.from, 62);
  EXPECT_EQ(p.to, 45);

  // The line end alone is no move: after g1f3 the line no longer fits.
  Play("g1f3");
  EXPECT_FALSE(ProbeBook().found);
  EXPECT_FALSE(openingBook.inBook);

  const std::vector<std::string> records = LogRecords();
  ASSERT_GE(records.size(), 3u);
  const std::vector<std::string> tail(records.end() - 3, records.end());
  const std::vector<std::string> expected = {"      Book: Staying in book \n", "      Book: Staying in book \n",
                                             "      Book: Got out book \n"};
  EXPECT_EQ(tail, expected);
}

TEST_F(BookTest, OutOfBookStaysOutUntilTheNextLoad) {
  UseBook("e2e4e7e5g1f3\n");
  BookLoadSeeded(5);
  Play("d2d4");
  EXPECT_FALSE(ProbeBook().found);
  const std::size_t records = LogRecords().size();

  // Later probes read nothing and log nothing; taking moves back shortens the
  // game text but does not bring the game back into the book.
  BookDropMove();
  EXPECT_TRUE(openingBook.gameText.empty());
  EXPECT_FALSE(ProbeBook().found);
  BookDropMove();
  EXPECT_TRUE(openingBook.gameText.empty());
  EXPECT_FALSE(openingBook.inBook);
  EXPECT_EQ(LogRecords().size(), records);

  // A new game starts from a freshly chosen line.
  Play("e2e4");
  BookLoadSeeded(6);
  EXPECT_TRUE(openingBook.inBook);
  EXPECT_TRUE(openingBook.gameText.empty());
  const Probe p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(p.from, 52);
  EXPECT_EQ(p.to, 36);
}

TEST_F(BookTest, DeviationTakesTheNextFittingLineAndWraps) {
  UseBook(
      "e2e4e7e5b1c3g8f6\n"  // 1
      "d2d4d7d5\n"          // 2: chosen
      "e2e4e7e5g1f3b8c6\n"  // 3
      "e2e4e7e5f1c4g8f6\n"  // 4: passed over by the read after line 3
      "e2e4e7e5f1c4f8c5\n"  // 5
      "c2c4e7e5\n"          // 6
      "e2e4c7c5\n");        // 7
  BookLoadSeeded(SeedForTarget(5, 2));
  ASSERT_EQ(openingBook.currentLine, "d2d4d7d5\n");
  Probe p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(p.from, 51);
  EXPECT_EQ(p.to, 35);

  Play("e2e4");  // the opponent leaves line 2: line 3 is next from the read position
  p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(openingBook.currentLine, "e2e4e7e5g1f3b8c6\n");
  EXPECT_EQ(p.from, 12);
  EXPECT_EQ(p.to, 28);

  Play("e7e5f1c4");  // leaves line 3; line 4 was read with it, so line 5 is found
  p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(openingBook.currentLine, "e2e4e7e5f1c4f8c5\n");
  EXPECT_EQ(p.from, 5);
  EXPECT_EQ(p.to, 26);

  BookDropMove();
  Play("b1c3");  // only line 1 fits: found after going back to the start
  p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(openingBook.currentLine, "e2e4e7e5b1c3g8f6\n");
  EXPECT_EQ(p.from, 6);
  EXPECT_EQ(p.to, 21);

  Play("g8f6");  // the end of line 1, and no longer line
  EXPECT_FALSE(ProbeBook().found);
  EXPECT_FALSE(openingBook.inBook);
}

TEST_F(BookTest, ShortAndEmptyLinesNeverFit) {
  UseBook("\n\ne2\ne2e4\ne2e4e7\n\ne2e4c7c5");
  BookLoadSeeded(SeedForTarget(5, 1));
  Play("e2e4");
  const Probe p = ProbeBook();
  ASSERT_TRUE(p.found);  // only the last line, which has no line end
  EXPECT_EQ(openingBook.currentLine, "e2e4c7c5");
  EXPECT_EQ(p.from, 10);
  EXPECT_EQ(p.to, 26);
  Play("c7c5");
  EXPECT_FALSE(ProbeBook().found);
}

TEST_F(BookTest, CrLfBookReadsLikeOneWithPlainLineEnds) {
  UseBook("d2d4d7d5\r\ne2e4e7e5g1f3\r\n");
  BookLoadSeeded(2);
  EXPECT_EQ(openingBook.currentLine, "e2e4e7e5g1f3\n");
  EXPECT_EQ(LogRecords().back(), "      Book: At book line: 0  : e2e4e7e5g1f3\n");
  Play("d2d4");
  Probe p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(openingBook.currentLine, "d2d4d7d5\n");
  EXPECT_EQ(p.from, 11);
  EXPECT_EQ(p.to, 27);
  Play("d7d5");
  EXPECT_FALSE(ProbeBook().found);
}

TEST_F(BookTest, ProbeReadsALongLineAsSeveralLines) {
  // Loading counts the long line once; probing splits it after 255
  // characters and takes its second piece as a line of its own.
  UseBook("c2c4\nd2d4" + std::string(kBookProbePiece - 4, 'x') + "e2e4e7e5\ng1f3\n");
  BookLoadSeeded(SeedForTarget(1, 1));
  ASSERT_EQ(openingBook.lineCount, 1);
  ASSERT_EQ(openingBook.currentLine, "c2c4\n");
  Play("e2e4");
  const Probe p = ProbeBook();
  ASSERT_TRUE(p.found);
  EXPECT_EQ(openingBook.currentLine, "e2e4e7e5\n");
  EXPECT_EQ(p.from, 12);
  EXPECT_EQ(p.to, 28);
}

TEST(BookGameText, AppendsAndDropsFourCharactersPerMove) {
  openingBook.gameText.clear();
  BookAppendMove(MakeMoveWord(52, 36, kNoPromotion, 0));
  BookAppendMove(MakeMoveWord(12, 28, kNoPromotion, 0));
  BookAppendMove(MakeMoveWord(15, 7, 4, 32));
  EXPECT_EQ(openingBook.gameText, "e2e4e7e5h7h8");
  BookDropMove();
  EXPECT_EQ(openingBook.gameText, "e2e4e7e5");
  openingBook.gameText = "e2";
  BookDropMove();
  EXPECT_TRUE(openingBook.gameText.empty());
  BookDropMove();
  EXPECT_TRUE(openingBook.gameText.empty());
}

}  // namespace
}  // namespace morvi::testing_book
