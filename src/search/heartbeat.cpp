// The heartbeat's two forms, the verdict table and the time check. Locking,
// clock reading and logging happen here and nowhere else in the search.
#include "search/heartbeat.h"

#include <mutex>

#include "engine/engine_state.h"
#include "engine/in_search.h"
#include "frontend/command_queue.h"
#include "frontend/debug_log.h"
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
  bool outOfTime = BudgetExhausted(ElapsedCentiseconds(t), t.allocatedTime);
  if (!outOfTime && t.hardDeadline.set) outOfTime = t.hardDeadline.Passed(t.clock());
  if (!outOfNodes && !outOfTime) return;
  if (t.prevPvLength > 0 || t.pvLength[0] > 0) {
    t.stop = true;
    LogLine(kCategory, outOfNodes ? "RUN OUT of NODES" : "RUN OUT of TIME");
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
