// The poll of the queue under its lock, the verdicts acted on, and the lines
// handed to the session.
#include "engine/engine_host.h"

#include <mutex>

#include "base/debug_log.h"
#include "engine/command_queue.h"
#include "engine/engine_state.h"

namespace morvi {
namespace {

constexpr const char* kCategory = "Heartbeat";

}  // namespace

EngineHost engineHost;

PollAnswer ActOnVerdictLocked(Verdict verdict) {
  switch (verdict) {
    case Verdict::kContinue:
      DropHeadLocked();
      LogLine(kCategory, "CONTINUE");
      return PollAnswer::kGoOn;
    case Verdict::kWrapUp:
      LogLine(kCategory, "WRAP IT UP");
      DropHeadLocked();
      LogLine(kCategory, "CONTINUE");
      return PollAnswer::kWrapUp;
    case Verdict::kAbort: break;
  }
  engineState.searchAborted = true;
  LogLine(kCategory, "ABORT");
  return PollAnswer::kAbort;
}

PollAnswer EngineHost::Poll() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  CommandRecord* head = PeekCommandLocked();
  if (head == nullptr) return PollAnswer::kGoOn;
  return ActOnVerdictLocked(ActiveSession().InSearch(*head));
}

bool EngineHost::WantsLines() { return engineState.postEnabled; }

void EngineHost::ReportLine(const Thinker& t) { ActiveSession().WriteThinking(t); }

void EngineHost::ReportCurrentMove(const Thinker& /*t*/, Move move, int number) {
  ActiveSession().WriteCurrentMove(move, number);
}

}  // namespace morvi
