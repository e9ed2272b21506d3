// The shipped morvi.book: every line is a legal game from the initial
// position, 6 to 20 plies of four-character moves, and the file holds at
// least 60 such lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "board/notation.h"
#include "board/position.h"
#include "book/opening_book.h"
#include "base/config.h"

namespace morvi {
namespace {

std::filesystem::path ShippedBookPath() {
  return std::filesystem::path(__FILE__).parent_path() / "../../morvi.book";
}

std::vector<std::string> ShippedBookLines() {
  const std::filesystem::path path = ShippedBookPath();
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Plays the four-character move if the position has it; false otherwise.
bool PlayBookMove(const std::string& text) {
  const int from = UncheckedSquare(text[0], text[1]);
  const int to = UncheckedSquare(text[2], text[3]);
  MoveEntry list[kMaxMovesPerPosition];
  int end = 0;
  position.GenerateMoves(list, &end);
  for (int i = 0; i < end; ++i) {
    const Move move = list[i].move;
    if (MoveFrom(move) != from || MoveTo(move) != to) continue;
    if (MoveFlags(move) & kPromotion) return false;
    UndoRecord undo;
    return position.MakeMove(move, undo) == 1;
  }
  return false;
}

bool IsMoveText(const std::string& text) {
  return text.size() == 4 && text[0] >= 'a' && text[0] <= 'h' && text[1] >= '1' && text[1] <= '8' &&
         text[2] >= 'a' && text[2] <= 'h' && text[3] >= '1' && text[3] <= '8';
}

TEST(ShippedBook, HoldsAtLeastSixtyDistinctLinesOfSixToTwentyPlies) {
  const std::vector<std::string> lines = ShippedBookLines();
  EXPECT_GE(lines.size(), 60u);
  std::set<std::string> distinct(lines.begin(), lines.end());
  EXPECT_EQ(distinct.size(), lines.size());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    ASSERT_EQ(line.size() % 4, 0u) << "line " << n + 1 << ": " << line;
    EXPECT_GE(line.size(), 6u * 4) << "line " << n + 1;
    EXPECT_LE(line.size(), 20u * 4) << "line " << n + 1;
    for (std::size_t i = 0; i < line.size(); i += 4) {
      EXPECT_TRUE(IsMoveText(line.substr(i, 4))) << "line " << n + 1 << " ply " << i / 4 + 1;
    }
  }
}

TEST(ShippedBook, EveryLineReplaysLegallyFromTheInitialPosition) {
  const std::vector<std::string> lines = ShippedBookLines();
  ASSERT_FALSE(lines.empty());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    position.NewGame();
    const std::string& line = lines[n];
    for (std::size_t i = 0; i + 4 <= line.size(); i += 4) {
      const std::string move = line.substr(i, 4);
      ASSERT_TRUE(PlayBookMove(move)) << "line " << n + 1 << " ply " << i / 4 + 1 << ": " << move
                                      << " is illegal in " << line;
    }
  }
  position.NewGame();
}

// Games in which both sides take every book move the probe offers: each
// offered move is generated and legal, and a game keeps to the book for at
// least the six plies of its first line.
TEST(ShippedBook, ProbedMovesAreLegalUntilTheGameLeavesTheBook) {
  const std::string savedPath = config.bookPath;
  config.bookPath = ShippedBookPath().string();
  for (unsigned seed = 0; seed < 200; ++seed) {
    position.NewGame();
    BookLoadSeeded(seed);
    ASSERT_TRUE(openingBook.inBook);
    int plies = 0;
    int from = -1, to = -1;
    while (plies < 40 && BookProbe(from, to)) {
      const std::string text = openingBook.currentLine.substr(openingBook.gameText.size(), 4);
      ASSERT_TRUE(PlayBookMove(text)) << "seed " << seed << ": " << openingBook.gameText << " + " << text;
      // PlayBookMove made it; record it in the game as the archive does.
      ASSERT_EQ(UncheckedSquare(text[0], text[1]), from);
      ASSERT_EQ(UncheckedSquare(text[2], text[3]), to);
      openingBook.gameText += text;
      ++plies;
    }
    EXPECT_FALSE(openingBook.inBook) << "seed " << seed;
    EXPECT_GE(plies, 6) << "seed " << seed;
  }
  ResetOpeningBook();
  config.bookPath = savedPath;
  position.NewGame();
}

}  // namespace
}  // namespace morvi
