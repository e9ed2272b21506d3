// The UCI dialect on the engine's side: the session's state, the commands
// that only UCI has (identify, options, positions, go, stop, ponderhit), the
// search a "go" asks for and its "bestmove". In this dialect the engine never
// searches on its own: only a "go" starts a search.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"
#include "engine/command.h"
#include "engine/session.h"
#include "search/heartbeat.h"
#include "search/think.h"

namespace morvi {

// One "go", from its record to its "bestmove": the stop and ponder state of
// its search. It is made new for every "go" and dropped with the answer, so
// nothing of one search reaches the next.
struct UciSearch {
  GoArguments go;
  TimeMs receivedAt = -1;     // when the "go" (or a "ponderhit" before the search began) was queued, ms
  bool pending = false;       // waits for the next pass
  bool holdBestMove = false;  // the answer waits for "stop" (or "ponderhit")
  bool stopRequested = false;
  bool awaitingStop = false;  // the search ended by itself; its answer waits for "stop"
  SearchResult held;          // that answer
};

class UciSession final : public Session {
 public:
  std::string Execute(const CommandRecord& record) override;
  bool RunPass() override;
  Verdict InSearch(CommandRecord& record) override;
  void WriteThinking(const Thinker& t) override;
  void WriteCurrentMove(Move move, int number) override;
  void WriteUnplayable() override;
  void WriteFarewell() override {}  // UCI has none

  UciSearch search;           // the "go" being served, if any
  bool positionValid = true;  // false after a "position" whose FEN was refused
  std::string base;           // "startpos", or "fen " and the FEN, of the position on the board
  std::vector<std::string> moves;  // the moves played from it, as the GUI wrote them
  int moveOverheadMs = 30;
  bool ownBook = true;
  bool ponder = false;        // the GUI's "Ponder" option (it may send "go ponder")
  bool analyseMode = false;   // "UCI_AnalyseMode": taken, changes nothing
  std::vector<CommandRecord> deferred;  // "setoption"s that came during a search, for its end
  Position root;              // the running search's position as it was at its root
};

// The one UCI session of the engine thread.
extern UciSession uciSession;

// "uci": the identification, the options and "uciok".
void WriteUciIdentification();
// "setoption": applies a known option with a value in its range; anything
// else is ignored. Returns the log text.
std::string ApplyUciOption(const std::string& name, const std::string& value);
// "position": sets up the base (or extends the game on the board when the
// new moves follow the ones played). Returns the log text.
std::string SetUciPosition(const CommandRecord& record);

// The legal move of the side to move that a coordinate text ("e2e4",
// "e7e8q") names, or kNoMove.
Move UciLegalMove(const std::string& text);

}  // namespace morvi
