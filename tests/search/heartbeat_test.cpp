// The heartbeat: its three verdicts with their effect on the queue and their
// log records, the stand-in handler, the time check at 1.1 times the budget,
// and the thinking line from the tree-search form.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "engine/in_search.h"
#include "search/heartbeat.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LogCapture;
using testing::ManualClock;
using testing::StdoutCapture;

class Heartbeat : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  static void Queue(int id) { QueueCommand(id); }
  static int HeadId() {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    CommandRecord* head = PeekCommandLocked();
    return head ? head->id : 0;
  }
  static void Verdict(int verdict) {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    ActOnVerdictLocked(verdict);
  }
  // A root move exists for the clock to play.
  static void GiveRootMove() {
    thinker.pvTable[0][0] = {MakeMoveWord(52, 36, 255, 24), 0};
    thinker.pvLength[0] = 1;
  }
};

TEST_F(Heartbeat, EmptyQueueAndTimeLeftWriteNothing) {
  GiveRootMove();
  LogCapture log;
  HeartbeatInQuiesce();
  HeartbeatInSearch();
  EXPECT_FALSE(thinker.stop);
  EXPECT_TRUE(log.Records().empty());
}

TEST_F(Heartbeat, ContinueConsumesTheHeadOnly) {
  Queue(CMD_TIME);
  Queue(CMD_OTIM);
  LogCapture log;
  Verdict(kVerdictContinue);
  EXPECT_FALSE(thinker.stop);
  EXPECT_FALSE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(HeadId(), CMD_OTIM);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: CONTINUE"}));
}

TEST_F(Heartbeat, WrapItUpStopsAndConsumes) {
  Queue(CMD_MOVE_NOW);
  LogCapture log;
  Verdict(kVerdictWrapUp);
  EXPECT_TRUE(thinker.stop);
  EXPECT_FALSE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 0u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: WRAP IT UP", "Heartbeat: CONTINUE"}));
}

TEST_F(Heartbeat, AbortStopsAndLeavesTheRecord) {
  Queue(CMD_NEW);
  LogCapture log;
  Verdict(kVerdictAbort);
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: ABORT"}));
}

TEST_F(Heartbeat, UnknownVerdictOnlyLogs) {
  Queue(CMD_NEW);
  LogCapture log;
  Verdict(7);
  EXPECT_FALSE(thinker.stop);
  EXPECT_FALSE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: DEFAULT - ERROR*****"}));
}

TEST_F(Heartbeat, AnAbortingCommandIsOfferedAgainAtEachPoll) {
  Queue(CMD_NEW);
  LogCapture log;
  HeartbeatInQuiesce();
  HeartbeatInQuiesce();  // the record is offered again
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: ABORT", "Heartbeat: ABORT"}));
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
  thinker.pvTable[0][0].move = kNoLineMove;
  SetDeadlines(thinker, SearchDeadlines{0, 0}, 0);
  CheckTime();
  EXPECT_FALSE(thinker.stop);
}

TEST_F(Heartbeat, TreeFormPrintsTheLineOnlyWhenItChanged) {
  GiveRootMove();
  engineState.postEnabled = true;
  StdoutCapture out;
  HeartbeatInSearch();
  HeartbeatInSearch();
  HeartbeatInQuiesce();
  EXPECT_EQ(out.Text(), " 1   0 0 0 e2e4 \n");
}

}  // namespace
}  // namespace morvi
