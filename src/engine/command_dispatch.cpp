// The engine thread's dispatch: the quit command, the "uci" record that
// confirms the dialect, and the active session for the rest.
#include "engine/command_dispatch.h"

#include <atomic>

#include "engine/session.h"

namespace morvi {
namespace {

std::atomic<bool> quietQuit{false};

}  // namespace

void RequestQuietQuit() { quietQuit.store(true); }

bool QuietQuitRequested() { return quietQuit.load(); }

bool ExecuteCommand(std::unique_ptr<CommandRecord> record, std::string& logText) {
  const CommandRecord& r = *record;
  logText.clear();
  if (r.id == CommandId::kQuit) {
    if (!quietQuit.load()) ActiveSession().WriteFarewell();
    logText = "Quiting";
    return true;
  }
  if (r.id == CommandId::kUci) SelectDialect(Dialect::kUci);
  logText = ActiveSession().Execute(r);
  return false;
}

}  // namespace morvi
