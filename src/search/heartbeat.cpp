// The heartbeat's two forms, the verdict table and the time check. Locking,
// clock reading and logging happen here and nowhere else in the search.
#include "search/heartbeat.h"

#include <mutex>

#include "engine/engine_state.h"
#include "engine/in_search.h"
#include "frontend/command_queue.h"
#include "base/debug_log.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi {
namespace {

constexpr const char* kCategory = "Heartbeat";

void PollQueue() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  CommandRecord* head = PeekCommandLocked();
  if (head != nullptr) ActOnVerdictLocked(HandleCommandInSearch(*head));
}

}  // namespace

void ActOnVerdictLocked(int verdict) {
  switch (verdict) {
    case kVerdictContinue:
      DropHeadLocked();
      LogLine(kCategory, "CONTINUE");
      break;
    case kVerdictWrapUp:
      thinker.stop = true;
      LogLine(kCategory, "WRAP IT UP");
      DropHeadLocked();
      LogLine(kCategory, "CONTINUE");
      break;
    case kVerdictAbort:
      thinker.stop = true;
      engineState.searchAborted = true;
      LogLine(kCategory, "ABORT");
      break;
    default:
      LogLine(kCategory, "DEFAULT - ERROR*****");
      break;
  }
}

bool BudgetExhausted(int elapsedCentiseconds, int allocatedTime) {
  double limit = allocatedTime * 1.1;
  return elapsedCentiseconds >= limit;
}

void CheckTime() {
  Thinker& t = thinker;
  const bool outOfNodes = t.nodeLimit > 0 && searchCounters.nodes >= t.nodeLimit;
  if (BudgetExhausted(ElapsedCentiseconds(t), t.allocatedTime) && HasRootLine(t)) {
    t.stop = true;
    LogLine(kCategory, "RUN OUT of TIME");
    return;
  }
  // A node limit and a hard deadline end the search as soon as it has any
  // move to play: a deadline is never passed waiting for a line.
  if (outOfNodes && HasRootMove(t)) {
    t.stop = true;
    LogLine(kCategory, "RUN OUT of NODES");
    return;
  }
  if (t.hardDeadline.set && HasRootMove(t) && t.hardDeadline.Passed(t.clock())) {
    t.stop = true;
    LogLine(kCategory, "RUN OUT of TIME");
  }
}

void HeartbeatInSearch() {
  if (engineState.postEnabled) PrintThinking(false);
  HeartbeatInQuiesce();
}

void HeartbeatInQuiesce() {
  PollQueue();
  CheckTime();
}

}  // namespace morvi
