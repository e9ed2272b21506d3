// The command queue: order, the non-blocking take, peeking, and the waits.
#include "frontend/command_queue.h"

#include <thread>

#include "frontend/queue_fixture.h"

namespace morvi {
namespace {

using CommandQueueTest = QueueTest;

TEST_F(CommandQueueTest, RecordsComeOutInArrivalOrder) {
  QueueCommand(CMD_NEW);
  QueueCommand(CMD_GO);
  EXPECT_EQ(QueuedCount(), 2u);
  EXPECT_EQ(PeekCommand()->id, CMD_NEW);
  EXPECT_EQ(Posted()->id, CMD_NEW);
  EXPECT_EQ(Posted()->id, CMD_GO);
  EXPECT_EQ(TakeCommand(), nullptr);  // empty: returns at once
  EXPECT_EQ(PeekCommand(), nullptr);
}

TEST_F(CommandQueueTest, QueuedRecordsCarryOnlyTheirIdentifier) {
  QueueCommand(CMD_FRITZ);
  auto record = Posted();
  EXPECT_EQ(record->id, CMD_FRITZ);
  EXPECT_EQ(record->levelMoves, 0);
  EXPECT_EQ(record->movePromotion, 0);
  EXPECT_TRUE(record->resultText.empty());
  EXPECT_TRUE(record->nameText.empty());
}

TEST_F(CommandQueueTest, DropHeadRemovesTheOldest) {
  QueueCommand(CMD_HINT);
  QueueCommand(CMD_DRAW);
  {
    std::lock_guard<std::mutex> guard(commandQueue.lock);
    EXPECT_EQ(PeekCommandLocked()->id, CMD_HINT);
    DropHeadLocked();
  }
  EXPECT_EQ(Posted()->id, CMD_DRAW);
}

TEST_F(CommandQueueTest, WaitsForAPostAndForTheQueueToEmpty) {
  QueueCommand(CMD_HINT);
  WaitForCommand();  // returns at once: a record is queued
  EXPECT_EQ(TakeCommand()->id, CMD_HINT);
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
  for (int id : {CMD_NEW, CMD_GO, CMD_QUIT}) QueueCommand(id);
  WaitUntilQueueEmpty();
  consumer.join();
  EXPECT_EQ(QueuedCount(), 0u);
}

}  // namespace
}  // namespace morvi
