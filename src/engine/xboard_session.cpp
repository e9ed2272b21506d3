// The xboard session: its table, its pass and its verdicts brought together
// under the session's shape.
#include "engine/xboard_session.h"

#include "base/debug_log.h"
#include "engine/engine_pass.h"
#include "engine/xboard_output.h"

namespace morvi {

XboardSession xboardSession;

std::string XboardSession::Execute(const CommandRecord& record) { return ExecuteXboardCommand(record); }

bool XboardSession::RunPass() {
  const bool ran = RunGamePass();
  std::vector<CommandRecord> records;
  records.swap(deferred);
  for (const CommandRecord& record : records) {
    if (record.id == CommandId::kPing) {  // the engine's move, if it had one to make, is out
      AnnouncePong(record.argument);
      continue;
    }
    const std::string logText = ExecuteXboardCommand(record);
    if (!logText.empty()) LogText("Command", logText);
  }
  return ran;
}

Verdict XboardSession::InSearch(CommandRecord& record) { return XboardVerdict(record); }

void XboardSession::WriteThinking(const Thinker& t) { AnnounceThinking(t); }

void XboardSession::WriteUnplayable() { AnnounceUnplayable(); }

void XboardSession::WriteFarewell() { AnnounceFarewell(); }

}  // namespace morvi
