// The dialect flag and the choice of session by it.
#include "engine/session.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "engine/uci_session.h"
#include "engine/xboard_session.h"

namespace morvi {
namespace {

// Written by the input thread once, read by both threads.
std::atomic<Dialect> dialect{Dialect::kXboard};

// Whether the input thread has settled the dialect for the start-up banner.
struct SettledDialect {
  std::mutex lock;
  std::condition_variable changed;
  bool settled = false;
};
SettledDialect settledDialect;

}  // namespace

Dialect ActiveDialect() { return dialect.load(); }

void SelectDialect(Dialect d) { dialect.store(d); }

void SettleDialect() {
  SettledDialect& s = settledDialect;
  {
    std::lock_guard<std::mutex> hold(s.lock);
    s.settled = true;
  }
  s.changed.notify_all();
}

Dialect AwaitSettledDialect(TimeMs until) {
  SettledDialect& s = settledDialect;
  std::unique_lock<std::mutex> hold(s.lock);
  while (!s.settled) {
    const TimeMs left = until - ClockMs();
    if (left <= 0) break;
    s.changed.wait_for(hold, std::chrono::milliseconds(left));
  }
  return ActiveDialect();
}

Session& ActiveSession() {
  if (ActiveDialect() == Dialect::kUci) return uciSession;
  return xboardSession;
}

}  // namespace morvi
