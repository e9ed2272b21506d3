// The stand-in engine thread: takes each queued record and destroys it, and
// ends after the quit command. While the queue is empty it sleeps on the
// queue's wait instead of spinning.
#include "engine/engine_thread.h"

#include <memory>
#include <system_error>
#include <thread>

#include "frontend/command.h"
#include "frontend/command_queue.h"

namespace morvi {

namespace {

// The engine thread's handle, owned by the main thread.
struct EngineThread {
  std::thread thread;
};
EngineThread engineThread;

constexpr int kIdleWaitMs = 100;

void EngineLoop() {
  for (;;) {
    std::unique_ptr<CommandRecord> record = TakeCommand();
    if (!record) {
      WaitForCommand(kIdleWaitMs);
      continue;
    }
    if (record->id == CMD_QUIT) return;
  }
}

}  // namespace

bool StartEngineThread() {
  try {
    engineThread.thread = std::thread(EngineLoop);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void JoinEngineThread() {
  if (engineThread.thread.joinable()) engineThread.thread.join();
}

}  // namespace morvi
