// The first-in first-out queue of command records between the input thread
// (producer) and the engine thread (consumer), with its lock.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

#include "engine/command.h"
#include "base/clock.h"

namespace morvi {

struct CommandQueue {
  std::mutex lock;  // "CommandSemaphore": held for every look at the records
  std::deque<std::unique_ptr<CommandRecord>> records;
  std::condition_variable posted;   // notified by every append
  std::condition_variable drained;  // notified when a removal empties the queue
  TimeMs (*stampClock)() = ClockMs;  // stamps each record as it is queued (tests: -1, no stamp)
};

// The one command queue of the process.
extern CommandQueue commandQueue;

// Input thread: queue a record that carries only its identifier.
void QueueCommand(CommandId id);
// Input thread: append a record, stamped with the time it was queued; the
// queue owns it from now on.
void PostCommand(std::unique_ptr<CommandRecord> record);
// Engine thread: the oldest record, removed, or null when the queue is empty.
// Never blocks on an empty queue.
std::unique_ptr<CommandRecord> TakeCommand();
// Engine thread: the oldest record left in place, or null. The record stays
// valid until the engine thread itself removes it, since only the engine
// thread removes records.
CommandRecord* PeekCommand();
// Engine thread: the oldest record left in place, or null. The caller must hold
// commandQueue.lock for as long as it uses the pointer (the heartbeat does).
CommandRecord* PeekCommandLocked();
// Engine thread, with commandQueue.lock held: remove and destroy the oldest record.
void DropHeadLocked();
// Number of queued records (takes the lock).
size_t QueuedCount();

// Engine thread, when idle: sleeps until the queue holds a record (at once if
// it does already), so that an idle engine uses no processor time.
void WaitForCommand();
// Input thread at the end: waits until the engine thread has taken every
// queued record.
void WaitUntilQueueEmpty();
// Destroys every record still queued (after the engine thread has ended).
void ClearQueue();

}  // namespace morvi
