// The command queue: order, the non-blocking take, peeking, and the waits.
#include "engine/command_queue.h"

#include <thread>

#include "frontend/queue_fixture.h"

namespace morvi {
namespace {

using CommandQueueTest = QueueTest;

TEST_F(CommandQueueTest, RecordsComeOutInArrivalOrder) {
  QueueCommand(CommandId::kNew);
  QueueCommand(CommandId::kGo);
  EXPECT_EQ(QueuedCount(), 2u);
  EXPECT_EQ(PeekCommand()->id, CommandId::kNew);
  EXPECT_EQ(Posted()->id, CommandId::kNew);
  EXPECT_EQ(Posted()->id, CommandId::kGo);
  EXPECT_EQ(TakeCommand(), nullptr);  // empty: returns at once
  EXPECT_EQ(PeekCommand(), nullptr);
}

TEST_F(CommandQueueTest, QueuedRecordsCarryOnlyTheirIdentifier) {
  QueueCommand(CommandId::kFritz);
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kFritz);
  EXPECT_EQ(record->levelMoves, 0);
  EXPECT_EQ(record->movePromotion, 0);
  EXPECT_TRUE(record->resultText.empty());
  EXPECT_TRUE(record->nameText.empty());
}

TEST_F(CommandQueueTest, DropHeadRemovesTheOldest) {
  QueueCommand(CommandId::kHint);
  QueueCommand(CommandId::kDraw);
  {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    EXPECT_EQ(PeekCommandLocked()->id, CommandId::kHint);
    DropHeadLocked();
  }
  EXPECT_EQ(Posted()->id, CommandId::kDraw);
}

TEST_F(CommandQueueTest, WaitsForAPostAndForTheQueueToEmpty) {
  QueueCommand(CommandId::kHint);
  WaitForCommand();  // returns at once: a record is queued
  EXPECT_EQ(TakeCommand()->id, CommandId::kHint);
  std::thread consumer([] {
    int taken = 0;
    while (taken < 3) {
      if (TakeCommand()) {
        ++taken;
      } else {
        WaitForCommand();
      }
    }
  });
  for (CommandId id : {CommandId::kNew, CommandId::kGo, CommandId::kQuit}) QueueCommand(id);
  WaitUntilQueueEmpty();
  consumer.join();
  EXPECT_EQ(QueuedCount(), 0u);
}

}  // namespace
}  // namespace morvi
