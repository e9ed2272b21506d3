// The xboard dialect on the engine thread (also what a person at the console
// gets): its command table between searches, its pass (analysis, the
// engine's own move, pondering), its in-search verdicts and its lines.
#pragma once

#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/session.h"

namespace morvi {

class XboardSession final : public Session {
 public:
  std::string Execute(const CommandRecord& record) override;
  // The game pass, then the commands deferred during its search.
  bool RunPass() override;
  Verdict InSearch(CommandRecord& record) override;
  void WriteThinking(const Thinker& t) override;
  void WriteUnplayable() override;
  void WriteFarewell() override;

  // A command that arrived during the engine's search and must wait for its
  // end without stopping it (a "ping" while the engine thinks on its move, a
  // new table size or option): it runs right after the pass, before any
  // command still queued.
  void Defer(const CommandRecord& record) { deferred.push_back(record); }
  std::vector<CommandRecord> deferred;
};

// The one xboard session of the engine thread.
extern XboardSession xboardSession;

// The command table: executes a record between searches, returns its log text.
std::string ExecuteXboardCommand(const CommandRecord& record);

// The in-search table: the verdict on a record that arrives during a search.
Verdict XboardVerdict(const CommandRecord& record);

// "draw": accepted when the engine's score is below -4000 (the engine stops
// playing and says "offer draw"). Returns the console text ("" when declined).
std::string AnswerDrawOffer(int engineScore);

}  // namespace morvi
