// The heartbeat with a scripted caller: its answers stop or abort the
// search, a search without a caller runs on, the time check at 1.1 times the
// budget, the deadlines and the node limit, and the thinking line from the
// tree-search form.
#include <gtest/gtest.h>

#include "search/heartbeat.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LogCapture;
using testing::ManualClock;
using testing::scriptedHost;

class Heartbeat : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  // A root move exists for the clock to play.
  static void GiveRootMove() {
    thinker.pvTable[0][0] = {MakeMoveWord(52, 36, 255, 24), 0};
    thinker.pvLength[0] = 1;
  }
};

TEST_F(Heartbeat, QuietCallerAndTimeLeftChangeNothing) {
  GiveRootMove();
  LogCapture log;
  HeartbeatInQuiesce();
  HeartbeatInSearch();
  EXPECT_FALSE(thinker.stop);
  EXPECT_EQ(scriptedHost.polls, 2);
  EXPECT_TRUE(scriptedHost.lines.empty());  // the caller wants no lines
  EXPECT_TRUE(log.Records().empty());
}

TEST_F(Heartbeat, TheCallersAnswersStopOrAbort) {
  scriptedHost.answers = {PollAnswer::kGoOn, PollAnswer::kWrapUp};
  HeartbeatInQuiesce();
  EXPECT_FALSE(thinker.stop);
  HeartbeatInQuiesce();
  EXPECT_TRUE(thinker.stop);
  EXPECT_FALSE(thinker.aborted);

  testing::ResetSearchState();
  scriptedHost.answers = {PollAnswer::kAbort};
  HeartbeatInSearch();
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(thinker.aborted);
}

TEST_F(Heartbeat, ASearchWithoutACallerIsNeverInterrupted) {
  thinker.host = nullptr;
  GiveRootMove();
  PollCaller();
  HeartbeatInSearch();
  EXPECT_FALSE(thinker.stop);
  EXPECT_FALSE(CallerWantsLines());
}

TEST_F(Heartbeat, BudgetRunsOutAtOnePointOneTimesTheAllocation) {
  EXPECT_FALSE(BudgetExhausted(1099, 1000));
  EXPECT_TRUE(BudgetExhausted(1100, 1000));
  EXPECT_TRUE(BudgetExhausted(0, 0));  // a zero budget is spent at once
  EXPECT_FALSE(BudgetExhausted(329, 300));
  EXPECT_TRUE(BudgetExhausted(330, 300));
}

TEST_F(Heartbeat, ClockStopsOnlyPastTheLimitWithARootMove) {
  GiveRootMove();
  thinker.startClock = 500;
  thinker.allocatedTime = 1000;
  LogCapture log;
  ManualClock::now = 500 + 10999;  // 1099 centiseconds
  CheckTime();
  EXPECT_FALSE(thinker.stop);
  ManualClock::now = 500 + 11000;  // 1100 centiseconds
  CheckTime();
  EXPECT_TRUE(thinker.stop);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: RUN OUT of TIME"}));
}

TEST_F(Heartbeat, ClockNeverStopsBeforeARootMoveExists) {
  thinker.allocatedTime = 10;
  ManualClock::now = 1000000;
  CheckTime();
  EXPECT_FALSE(thinker.stop);
  thinker.prevPvLength = 1;  // the last completed iteration has a line
  CheckTime();
  EXPECT_TRUE(thinker.stop);
}

TEST_F(Heartbeat, DeadlineAndNodeLimitStopAtAnyRootMove) {
  // An iteration can end with its row empty while its first entry holds the
  // move it chose: no line, but a move to play.
  thinker.pvTable[0][0].move = MakeMoveWord(52, 36, 255, 24);
  thinker.prevPvLength = 0;
  thinker.allocatedTime = 10;
  ManualClock::now = 1000000;
  CheckTime();
  EXPECT_FALSE(thinker.stop);  // the budget waits for a line
  SetDeadlines(thinker, SearchDeadlines{-1, 300}, 1000);
  ManualClock::now = 1299;
  thinker.allocatedTime = 1000000;
  CheckTime();
  EXPECT_FALSE(thinker.stop);
  ManualClock::now = 1300;
  LogCapture log;
  CheckTime();
  EXPECT_TRUE(thinker.stop);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: RUN OUT of TIME"}));

  thinker.stop = false;
  thinker.hardDeadline = Deadline{};
  thinker.nodeLimit = 1000;
  searchCounters.nodes = 999;
  CheckTime();
  EXPECT_FALSE(thinker.stop);
  searchCounters.nodes = 1000;
  CheckTime();
  EXPECT_TRUE(thinker.stop);
  // Before any root move, nothing stops the search.
  thinker.stop = false;
  thinker.pvTable[0][0].move = kNoMove;
  SetDeadlines(thinker, SearchDeadlines{0, 0}, 0);
  CheckTime();
  EXPECT_FALSE(thinker.stop);
}

TEST_F(Heartbeat, TreeFormReportsTheLineOnlyWhenItChanged) {
  GiveRootMove();
  scriptedHost.wantsLines = true;
  HeartbeatInSearch();
  HeartbeatInSearch();
  HeartbeatInQuiesce();
  EXPECT_EQ(scriptedHost.lines, (std::vector<std::string>{" 1   0 0 0 e2e4 "}));
}

}  // namespace
}  // namespace morvi
