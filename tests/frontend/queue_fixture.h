// Test fixture for code that posts to the process's command queue: the queue
// is empty before and after each test, and posted records are taken in order.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/command_queue.h"

namespace morvi {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearQueue(); }
  void TearDown() override { ClearQueue(); }

  // The oldest posted record; fails the test when nothing was posted.
  std::unique_ptr<CommandRecord> Posted() {
    std::unique_ptr<CommandRecord> record = TakeCommand();
    EXPECT_NE(record, nullptr) << "no record posted";
    if (!record) record = std::make_unique<CommandRecord>();
    return record;
  }
  bool NothingPosted() { return QueuedCount() == 0; }
};

}  // namespace morvi
