// The thinking line: its bytes, the log copy, the pondering prefix, and when
// a line is printed at all.
#include <gtest/gtest.h>

#include "board/move.h"
#include "search/thinking_output.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LogCapture;
using testing::ManualClock;
using testing::StdoutCapture;

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
  StdoutCapture out;
  PrintThinking(true);
  EXPECT_EQ(out.Text(), " 5  25 150 12345 e2e4 e7e5 \n");
  std::vector<std::string> records = log.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], "Think: <5  25 150 12345 e2e4 e7e5>");
}

TEST_F(ThinkingOutput, ScoresInHundredthsOfAPawn) {
  char text[kThinkingLineSize];
  SetLine({kE2E4}, -1024);
  FormatThinkingLine(text);
  EXPECT_STREQ(text, " 1 -100 0 0 e2e4 ");
  SetLine({kE2E4}, 5);
  FormatThinkingLine(text);
  EXPECT_STREQ(text, " 1   0 0 0 e2e4 ");
  SetLine({kE2E4}, 102400);
  FormatThinkingLine(text);
  EXPECT_STREQ(text, " 1 10000 0 0 e2e4 ");
}

TEST_F(ThinkingOutput, PredictedMoveLeadsWhilePonderingWithoutHit) {
  char text[kThinkingLineSize];
  SetLine({kG1F3, kB8C6}, 0);
  thinker.ponderMove = kE7E5;
  engineState.pondering = true;
  FormatThinkingLine(text);
  EXPECT_STREQ(text, " 1   0 0 0 e7e5 g1f3 b8c6 ");
  engineState.ponderHit = true;
  FormatThinkingLine(text);
  EXPECT_STREQ(text, " 1   0 0 0 g1f3 b8c6 ");
}

TEST_F(ThinkingOutput, NothingBeforeTheRootRowHoldsAMove) {
  StdoutCapture out;
  PrintThinking(true);  // root move word 255 after the reset
  thinker.pvTable[0][0] = {0, 0};
  thinker.pvLength[0] = 1;
  PrintThinking(true);  // move 0
  thinker.pvTable[0][0] = {kE2E4, 0};
  thinker.pvLength[0] = 0;
  PrintThinking(true);  // empty row
  EXPECT_EQ(out.Text(), "");
}

TEST_F(ThinkingOutput, UnforcedCallsPrintOnlyAChangedLine) {
  SetLine({kE2E4, kE7E5}, 0);
  StdoutCapture out;
  PrintThinking(false);  // first line of the search
  PrintThinking(false);  // unchanged
  PrintThinking(true);   // forced
  SetLine({kE2E4, kB8C6}, 0);
  PrintThinking(false);  // same length, other move
  PrintThinking(false);
  SetLine({kE2E4}, 0);
  PrintThinking(false);  // shorter
  EXPECT_EQ(out.Text(),
            " 1   0 0 0 e2e4 e7e5 \n"
            " 1   0 0 0 e2e4 e7e5 \n"
            " 1   0 0 0 e2e4 b8c6 \n"
            " 1   0 0 0 e2e4 \n");
  EXPECT_EQ(thinker.printedPvLength, 1);
}

}  // namespace
}  // namespace morvi
