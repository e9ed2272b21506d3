// Queue operations: constant-time appends and removals, entirely under the
// queue lock. Taking never blocks on an empty queue.
#include "frontend/command_queue.h"

namespace morvi {

CommandQueue commandQueue;

void QueueCommand(int id) {
  auto record = std::make_unique<CommandRecord>();
  record->id = id;
  PostCommand(std::move(record));
}

void PostCommand(std::unique_ptr<CommandRecord> record) {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  commandQueue.records.push_back(std::move(record));
}

std::unique_ptr<CommandRecord> TakeCommand() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  if (commandQueue.records.empty()) return nullptr;
  std::unique_ptr<CommandRecord> record = std::move(commandQueue.records.front());
  commandQueue.records.pop_front();
  return record;
}

CommandRecord* PeekCommandLocked() {
  return commandQueue.records.empty() ? nullptr : commandQueue.records.front().get();
}

void DropHeadLocked() {
  if (!commandQueue.records.empty()) commandQueue.records.pop_front();
}

size_t QueuedCount() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  return commandQueue.records.size();
}

}  // namespace morvi
