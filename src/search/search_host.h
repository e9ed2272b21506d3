// The search's one way to its caller while it runs. Every so many nodes the
// heartbeat asks the caller whether to go on (the caller looks at its queued
// commands and acts on them as it sees fit), and whenever the root line
// changes it hands the line over, if the caller wants lines. The search
// knows nothing of commands, dialects or output.
#pragma once

#include "board/move.h"

namespace morvi {

struct Thinker;

// The caller's answer at a poll.
enum class PollAnswer {
  kGoOn,    // search on
  kWrapUp,  // stop and play the best move found
  kAbort,   // stop at once: the search's result will not be played
};

class SearchHost {
 public:
  // Called by the heartbeat.
  virtual PollAnswer Poll() = 0;
  // True when the caller wants the thinking lines (asked at every heartbeat
  // of the tree search and at the end of each iteration).
  virtual bool WantsLines() = 0;
  // The root line changed (or a line is forced at an iteration's end): the
  // Thinker's row 0 holds it (and its lines, when it shows several).
  virtual void ReportLine(const Thinker& t) = 0;
  // The root move the search takes up now, numbered from 1, once the
  // search has run for a second (the full search only).
  virtual void ReportCurrentMove(const Thinker& /*t*/, Move /*move*/, int /*number*/) {}

 protected:
  ~SearchHost() = default;
};

}  // namespace morvi
