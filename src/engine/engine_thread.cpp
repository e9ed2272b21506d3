// The engine thread's start and its loop: drain the queue, executing each
// record and logging its text; after "quit" end at once (no further search);
// otherwise run one pass, and when the pass found nothing to do, sleep until
// the next record arrives instead of polling.
#include "engine/engine_thread.h"

#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "engine/command_dispatch.h"
#include "engine/engine_pass.h"
#include "engine/engine_state.h"
#include "engine/init_engine.h"
#include "engine/session.h"
#include "engine/xboard_output.h"
#include "engine/command_queue.h"
#include "base/debug_log.h"
#include "base/user_texts.h"

namespace morvi {

namespace {

// How long the banner waits for the session's first lines at most.
constexpr TimeMs kBannerWaitMs = 1000;

// The engine thread's handle, owned by the main thread.
struct EngineThreadHandle {
  std::thread thread;
};
EngineThreadHandle engineThread;

// Step 1 of the loop; true when the quit command was executed.
bool DrainQueue() {
  bool quit = false;
  while (std::unique_ptr<CommandRecord> record = TakeCommand()) {
    engineState.lastCommandAt = record->receivedAt;
    std::string logText;
    quit = ExecuteCommand(std::move(record), logText);
    if (!logText.empty()) LogText("Command", logText);
    if (quit) break;
  }
  return quit;
}

}  // namespace

void EngineThread() {
  const TimeMs start = ClockMs();
  const std::string version(UserText(TEXT_VERSION));
  LogLine("Eng-out", "Morvi Chess engine started - Version " + version);
  ResetEngineThread();
  InitEngine();
  // The banner, unless the GUI turned out to speak the protocol's second
  // version. A person at the prompt who types nothing sees it after a second.
  if (AwaitSettledDialect(start + kBannerWaitMs) != Dialect::kXboard2 && !QuietQuitRequested()) {
    AnnounceEngineStart(version);
  }
  for (;;) {
    if (DrainQueue()) return;
    if (!RunPass()) WaitForCommand();
  }
}

bool StartEngineThread(bool quiet) {
  if (quiet) RequestQuietQuit();
  try {
    engineThread.thread = std::thread(EngineThread);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void JoinEngineThread() {
  if (engineThread.thread.joinable()) engineThread.thread.join();
}

void StopEngineThreadQuietly() {
  if (!engineThread.thread.joinable()) return;
  RequestQuietQuit();
  QueueCommand(CommandId::kQuit);
  JoinEngineThread();
}

}  // namespace morvi
