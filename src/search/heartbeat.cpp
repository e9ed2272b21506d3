// The heartbeat's two forms, the poll of the caller and the time check.
// Clock reading happens here and nowhere else in the search's nodes.
#include "search/heartbeat.h"

#include <algorithm>

#include "base/debug_log.h"
#include "search/thinker.h"
#include "search/thinking_output.h"
#include "search/search_threads.h"

namespace morvi {
namespace {

constexpr const char* kCategory = "Heartbeat";

}  // namespace

void PollCaller() {
  Thinker& t = thinker;
  if (t.host == nullptr) return;
  switch (t.host->Poll()) {
    case PollAnswer::kGoOn: break;
    case PollAnswer::kWrapUp:
      t.stop = true;
      t.stoppedByCaller = true;
      break;
    case PollAnswer::kAbort:
      t.stop = true;
      t.aborted = true;
      t.stoppedByCaller = true;
      break;
  }
}

int NodeLimitMask(long long nodes, int mask) {
  long long interval = 1;
  while (interval * 2 <= nodes / 16) interval *= 2;
  return static_cast<int>(std::min<long long>(interval - 1, mask));
}

bool CallerWantsLines() { return thinker.host != nullptr && thinker.host->WantsLines(); }

void ReportRootMove(const Thinker& t, Move move, int number) {
  constexpr TimeMs kQuietFor = 1000;
  if (t.clock() - t.startClock < kQuietFor || !CallerWantsLines()) return;
  t.host->ReportCurrentMove(t, move, number);
}

bool BudgetExhausted(int elapsedCentiseconds, int allocatedTime) {
  double limit = allocatedTime * 1.1;
  return elapsedCentiseconds >= limit;
}

void CheckTime() {
  Thinker& t = thinker;
  const bool outOfNodes = t.nodeLimit > 0 && SearchedNodes() >= t.nodeLimit;
  if (BudgetExhausted(ElapsedCentiseconds(t), t.allocatedTime) && HasRootLine(t)) {
    t.stop = true;
    LogLine(kCategory, "RUN OUT of TIME");
    return;
  }
  // A node limit and a hard deadline end the search as soon as it has any
  // move to play: a deadline is never passed waiting for a line. A search
  // that looks for several lines waits for its node limit until it has
  // them all (a level chooses among them).
  if (outOfNodes && HasRootMove(t) && (t.rootLines <= 1 || t.lineCount > 0)) {
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
  // A search that shows several lines shows them at its iterations' ends:
  // between them row 0 may hold any of them.
  if (CallerWantsLines() && thinker.rootLines <= 1) PrintThinking(false);
  HeartbeatInQuiesce();
}

void HeartbeatInQuiesce() {
  PollCaller();
  CheckTime();
}

}  // namespace morvi
