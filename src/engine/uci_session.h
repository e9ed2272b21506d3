// The UCI dialect on the engine's side: the session's state, the commands
// that only UCI has (identify, options, positions, go, stop, ponderhit), the
// search a "go" asks for and its "bestmove". In this dialect the engine never
// searches on its own: only a "go" starts a search.
#pragma once

#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "frontend/command.h"

namespace morvi {

struct UciSession {
  bool active = false;        // the session speaks UCI (set by the "uci" record)
  bool goPending = false;     // a "go" waits for the next pass
  GoArguments go;             // the "go" being served
  bool searching = false;     // its search is running
  bool pondering = false;     // the running search is a "go ponder" before "ponderhit"
  bool holdBestMove = false;  // the search must not answer before "stop" (or "ponderhit")
  bool stopRequested = false;
  bool awaitingStop = false;  // the search ended by itself; its answer waits for "stop"
  SearchResult held;          // that answer
  bool positionValid = true;  // false after a "position" whose FEN was refused
  std::string base;           // "startpos" or the FEN of the position on the board
  std::vector<std::string> moves;  // the moves played from it, as the GUI wrote them
  int moveOverheadMs = 30;
  bool ownBook = true;
  bool ponder = false;        // the GUI's "Ponder" option (it may send "go ponder")
};

// The one UCI session of the engine thread.
extern UciSession uciSession;

// Executes a UCI record between searches (ids CMD_UCI .. CMD_PONDERHIT);
// returns its log text.
std::string ExecuteUciCommand(const CommandRecord& record);

// The pass in UCI mode: runs the pending "go"; false when there was none.
bool RunUciPass();

// The in-search verdict on a record in UCI mode.
int HandleUciInSearch(const CommandRecord& record);

// "uci": the identification, the options and "uciok".
void WriteUciIdentification();
// "setoption": applies a known option with a value in its range; anything
// else is ignored. Returns the log text.
std::string ApplyUciOption(const std::string& name, const std::string& value);
// "position": sets up the base (or extends the game on the board when the
// new moves follow the ones played). Returns the log text.
std::string SetUciPosition(const CommandRecord& record);

// The search limit in centiseconds for a fixed move time in milliseconds,
// with the Move Overhead and the engine's own overrun kept back.
int MoveTimeLimit(int moveTimeMs, int moveOverheadMs);
// The engine's clocks from a "go" for the side to move (centiseconds, the
// Move Overhead taken off the engine's own clock; never 0 when a clock was
// given, which would read as "no clock").
void SetClocksFromGo(const GoArguments& go, int sideToMove, int moveOverheadMs, EngineState& state);

}  // namespace morvi
