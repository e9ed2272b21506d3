// The xboard session: its table, its pass and its verdicts brought together
// under the session's shape.
#include "engine/xboard_session.h"

#include "engine/engine_pass.h"
#include "engine/xboard_output.h"

namespace morvi {

XboardSession xboardSession;

std::string XboardSession::Execute(const CommandRecord& record) { return ExecuteXboardCommand(record); }

bool XboardSession::RunPass() { return RunGamePass(); }

Verdict XboardSession::InSearch(CommandRecord& record) { return XboardVerdict(record); }

void XboardSession::WriteThinking(const Thinker& t) { AnnounceThinking(t); }

void XboardSession::WriteUnplayable() { AnnounceUnplayable(); }

void XboardSession::WriteFarewell() { AnnounceFarewell(); }

}  // namespace morvi
