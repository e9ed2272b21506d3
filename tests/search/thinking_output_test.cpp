// The thinking line: its bytes, the log copy, the predicted-move prefix, and
// when a line is reported to the caller at all.
#include <gtest/gtest.h>

#include "board/move.h"
#include "search/thinking_output.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LogCapture;
using testing::ManualClock;
using testing::scriptedHost;

constexpr Move kE2E4 = MakeMoveWord(52, 36, 255, 24);
constexpr Move kE7E5 = MakeMoveWord(12, 28, 255, 24);
constexpr Move kG1F3 = MakeMoveWord(62, 45, 255, 0);
constexpr Move kB8C6 = MakeMoveWord(1, 18, 255, 0);

class ThinkingOutput : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  // Root line of the given moves, the first with the given score.
  static void SetLine(std::initializer_list<Move> moves, int score) {
    int j = 0;
    for (Move m : moves) thinker.pvTable[0][j++] = {m, score};
    thinker.pvLength[0] = j;
  }
};

TEST_F(ThinkingOutput, ExampleLineAndItsLogCopy) {
  thinker.nominalDepth = 5;
  thinker.startClock = 1000;
  ManualClock::now = 1000 + 1509;  // 150 centiseconds, truncated
  searchCounters.nodes = 12345;
  SetLine({kE2E4, kE7E5}, 256);
  LogCapture log;
  PrintThinking(true);
  ASSERT_EQ(scriptedHost.lines, (std::vector<std::string>{" 5  25 150 12345 e2e4 e7e5 "}));
  LogThinkingLine(scriptedHost.lines[0]);
  std::vector<std::string> records = log.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], "Think: <5  25 150 12345 e2e4 e7e5>");
}

TEST_F(ThinkingOutput, ScoresInHundredthsOfAPawn) {
  char text[kThinkingLineSize];
  SetLine({kE2E4}, -1024);
  FormatThinkingLine(thinker, kNoMove, text);
  EXPECT_STREQ(text, " 1 -100 0 0 e2e4 ");
  SetLine({kE2E4}, 5);
  FormatThinkingLine(thinker, kNoMove, text);
  EXPECT_STREQ(text, " 1   0 0 0 e2e4 ");
  SetLine({kE2E4}, 102400);
  FormatThinkingLine(thinker, kNoMove, text);
  EXPECT_STREQ(text, " 1 10000 0 0 e2e4 ");
}

TEST_F(ThinkingOutput, MatesInXboardsFormForTheSecondVersion) {
  const struct {
    int score;
    const char* hundredths;
    const char* xboard;
  } rows[] = {
      {MatedScore(1) * -1, " 1 10000 0 0 e2e4 ", " 1 100001 0 0 e2e4 "},  // mates at once
      {-MatedScore(3), " 1 9800 0 0 e2e4 ", " 1 100002 0 0 e2e4 "},      // mate in 2
      {MatedScore(2), " 1 -9900 0 0 e2e4 ", " 1 -100001 0 0 e2e4 "},     // mated in 1
      {MatedScore(51), " 1 -5000 0 0 e2e4 ", " 1 -5000 0 0 e2e4 "},      // too far to say
      {-1024, " 1 -100 0 0 e2e4 ", " 1 -100 0 0 e2e4 "},
  };
  char text[kThinkingLineSize];
  for (const auto& row : rows) {
    SetLine({kE2E4}, row.score);
    FormatThinkingLine(thinker, kNoMove, text);
    EXPECT_STREQ(text, row.hundredths) << row.score;
    FormatThinkingLine(thinker, kNoMove, text, ScoreForm::kXboardMates);
    EXPECT_STREQ(text, row.xboard) << row.score;
  }
}

TEST_F(ThinkingOutput, APredictedMoveLeadsTheLine) {
  char text[kThinkingLineSize];
  SetLine({kG1F3, kB8C6}, 0);
  FormatThinkingLine(thinker, kE7E5, text);
  EXPECT_STREQ(text, " 1   0 0 0 e7e5 g1f3 b8c6 ");
  FormatThinkingLine(thinker, kNoMove, text);
  EXPECT_STREQ(text, " 1   0 0 0 g1f3 b8c6 ");
}

TEST_F(ThinkingOutput, NothingBeforeTheRootRowHoldsAMove) {
  PrintThinking(true);  // no move after the reset
  thinker.pvTable[0][0] = {kNoMove, 0};
  thinker.pvLength[0] = 1;
  PrintThinking(true);  // a row whose length says one but holds no move
  thinker.pvTable[0][0] = {kE2E4, 0};
  thinker.pvLength[0] = 0;
  PrintThinking(true);  // empty row
  EXPECT_TRUE(scriptedHost.lines.empty());
}

TEST_F(ThinkingOutput, UnforcedCallsPrintOnlyAChangedLine) {
  SetLine({kE2E4, kE7E5}, 0);
  PrintThinking(false);  // first line of the search
  PrintThinking(false);  // unchanged
  PrintThinking(true);   // forced
  SetLine({kE2E4, kB8C6}, 0);
  PrintThinking(false);  // same length, other move
  PrintThinking(false);
  SetLine({kE2E4}, 0);
  PrintThinking(false);  // shorter
  EXPECT_EQ(scriptedHost.lines, (std::vector<std::string>{" 1   0 0 0 e2e4 e7e5 ", " 1   0 0 0 e2e4 e7e5 ",
                                                         " 1   0 0 0 e2e4 b8c6 ", " 1   0 0 0 e2e4 "}));
  EXPECT_EQ(thinker.printedPvLength, 1);
}

}  // namespace
}  // namespace morvi
