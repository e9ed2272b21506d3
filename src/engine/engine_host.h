// The engine as the search's caller: at each poll the active session gives
// its verdict on the oldest queued command, and the host acts on it (removes
// the record, stops or aborts the search, logs what was done); the lines the
// search reports go to the active session; post mode decides whether the
// search reports lines at all.
#pragma once

#include "engine/session.h"
#include "search/search_host.h"

namespace morvi {

class EngineHost final : public SearchHost {
 public:
  PollAnswer Poll() override;
  bool WantsLines() override;
  void ReportLine(const Thinker& t) override;
  void ReportCurrentMove(const Thinker& t, Move move, int number) override;
};

// The one host of the engine thread; the engine's searches run with it.
extern EngineHost engineHost;

// Acts on a verdict for the head record and returns what the search must do:
// removes it (continue, wrap up), marks the search aborted (abort), and logs
// what was done. The command lock must be held.
PollAnswer ActOnVerdictLocked(Verdict verdict);

}  // namespace morvi
