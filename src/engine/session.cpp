// The dialect flag and the choice of session by it.
#include "engine/session.h"

#include <atomic>

#include "engine/uci_session.h"
#include "engine/xboard_session.h"

namespace morvi {
namespace {

// Written by the input thread once, read by both threads.
std::atomic<Dialect> dialect{Dialect::kXboard};

}  // namespace

Dialect ActiveDialect() { return dialect.load(); }

void SelectDialect(Dialect d) { dialect.store(d); }

Session& ActiveSession() {
  if (ActiveDialect() == Dialect::kUci) return uciSession;
  return xboardSession;
}

}  // namespace morvi
