// The engine as the search's caller: the verdicts acted on (the record
// consumed or left queued, the search stopped or aborted, the log records),
// a command left queued offered again at each poll, and a command from the
// input thread stopping a real search.
#include "engine/engine_host.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "engine_test_support.h"
#include "search/heartbeat.h"
#include "search/think.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

class Host : public EngineTest {
 protected:
  static CommandId HeadId() {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    CommandRecord* head = PeekCommandLocked();
    return head ? head->id : CommandId::kNone;
  }
  static PollAnswer Act(Verdict verdict) {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    return ActOnVerdictLocked(verdict);
  }
};

TEST_F(Host, ContinueConsumesTheHeadOnly) {
  QueueCommand(CommandId::kTime);
  QueueCommand(CommandId::kOtim);
  LogCapture log;
  EXPECT_EQ(Act(Verdict::kContinue), PollAnswer::kGoOn);
  EXPECT_FALSE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(HeadId(), CommandId::kOtim);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: CONTINUE"}));
}

TEST_F(Host, WrapItUpConsumesAndStops) {
  QueueCommand(CommandId::kMoveNow);
  LogCapture log;
  EXPECT_EQ(Act(Verdict::kWrapUp), PollAnswer::kWrapUp);
  EXPECT_FALSE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 0u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: WRAP IT UP", "Heartbeat: CONTINUE"}));
}

TEST_F(Host, AbortLeavesTheRecordAndIsOfferedAgainAtEachPoll) {
  QueueCommand(CommandId::kNew);
  LogCapture log;
  HeartbeatInQuiesce();
  HeartbeatInQuiesce();
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(thinker.aborted);
  EXPECT_TRUE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Heartbeat: ABORT", "Heartbeat: ABORT"}));
}

TEST_F(Host, AnEmptyQueueLetsTheSearchGoOn) {
  LogCapture log;
  EXPECT_EQ(engineHost.Poll(), PollAnswer::kGoOn);
  EXPECT_TRUE(log.Records().empty());
}

TEST_F(Host, AbortBeforeAnyRootMoveLeavesNoMove) {
  SetUpGame("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  ResetThinker();
  QueueCommand(CommandId::kNew);
  thinker.heartbeatMask = 0;  // the heartbeat runs at every node
  SearchResult result;
  Think(result, 1000000, 5);
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);  // the command waits for the engine loop
  EXPECT_FALSE(HasMove(result));
  EXPECT_EQ(result.score, 0);
  EXPECT_EQ(thinker.nominalDepth, 2);
  EXPECT_EQ(thinker.pvLength[0], 0);
}

TEST_F(Host, CommandFromTheInputThreadStopsTheSearch) {
  SetUpGame("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  ResetThinker();
  thinker.heartbeatMask = kPollMaskCap;
  thinker.clock = ClockMs;
  // Whenever the record arrives, the next heartbeat finds it; the search
  // would otherwise run for minutes.
  std::thread input([] { QueueCommand(CommandId::kForce); });
  SearchResult result;
  Think(result, 1000000, kDepthLimit);
  input.join();
  EXPECT_TRUE(engineState.searchAborted);
  EXPECT_EQ(QueuedCount(), 1u);
  EXPECT_LT(thinker.nominalDepth, 13);
}

}  // namespace
}  // namespace morvi
