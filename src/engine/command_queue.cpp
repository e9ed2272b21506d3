// Queue operations: constant-time appends and removals, entirely under the
// queue lock. Taking never blocks on an empty queue; waiting is separate.
#include "engine/command_queue.h"


namespace morvi {

CommandQueue commandQueue;

namespace {
// With the lock held: removes the oldest record and wakes the end-of-run wait
// when the queue has become empty.
std::unique_ptr<CommandRecord> PopHeadLocked() {
  std::unique_ptr<CommandRecord> record = std::move(commandQueue.records.front());
  commandQueue.records.pop_front();
  if (commandQueue.records.empty()) commandQueue.drained.notify_all();
  return record;
}
}  // namespace

void QueueCommand(CommandId id) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  PostCommand(std::move(record));
}

void PostCommand(std::unique_ptr<CommandRecord> record) {
  record->receivedAt = commandQueue.stampClock();
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  commandQueue.records.push_back(std::move(record));
  commandQueue.posted.notify_one();
}

std::unique_ptr<CommandRecord> TakeCommand() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  if (commandQueue.records.empty()) return nullptr;
  return PopHeadLocked();
}

CommandRecord* PeekCommand() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  return PeekCommandLocked();
}

CommandRecord* PeekCommandLocked() {
  return commandQueue.records.empty() ? nullptr : commandQueue.records.front().get();
}

void DropHeadLocked() {
  if (!commandQueue.records.empty()) PopHeadLocked();
}

size_t QueuedCount() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  return commandQueue.records.size();
}

void WaitForCommand() {
  std::unique_lock<std::mutex> guard(commandQueue.lock);
  commandQueue.posted.wait(guard, [] { return !commandQueue.records.empty(); });
}

void WaitUntilQueueEmpty() {
  std::unique_lock<std::mutex> guard(commandQueue.lock);
  commandQueue.drained.wait(guard, [] { return commandQueue.records.empty(); });
}

void ClearQueue() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  commandQueue.records.clear();
}

}  // namespace morvi
