// The engine controller's own variables (whose side it plays, its modes, the
// clocks and time control, facts about the opponent) and the record in which
// a search or a book probe hands its move over. Engine thread only.
#pragma once

#include <string>

#include "base/clock.h"
#include "board/colour.h"
#include "board/move.h"

namespace morvi {

struct EngineState {
  Colour engineColour = Colour::kWhite;  // colour the engine plays
  bool engineActive = false;    // the engine moves when it is its turn
  bool ponderEnabled = false;
  bool postEnabled = false;     // thinking output
  bool analysisMode = false;
  bool analysisDone = false;
  bool editMode = false;
  Colour editColour = Colour::kWhite;
  // The ponder state of the running search, in either dialect.
  bool pondering = false;       // a ponder search is running (the opponent's move is assumed)
  bool ponderHit = false;       // ... and the opponent has played that move: it is the real search now
  bool ponderFinished = false;  // pondering tried and abandoned this turn
  bool searchAborted = false;   // the last search was aborted for a queued command
  int movesPerControl = 0;
  int baseTime = 0;             // centiseconds
  int increment = 0;            // centiseconds
  int moveTimeMs = 0;           // "st": every move searched this long at most (0: the clock and level rule)
  int depthLimit = 0;           // "sd": the deepest iteration (0: none)
  bool positionRefused = false;  // "setboard" was given a position the engine cannot play
  int ownTime = 0;              // centiseconds, from "time"
  int opponentTime = 0;         // centiseconds, from "otim"
  std::string opponentName;
  int ownRating = 0;
  int opponentRating = 0;
  int moveNumber = 0;
  TimeMs passStart = 0;         // start of the engine loop's pass
  TimeMs lastCommandAt = -1;    // when the last executed command was queued (-1: not known)
};

// The one engine state of the engine thread.
extern EngineState engineState;

// The next game pass plays the engine's move: it plays the side to move and
// is active, and no analysis, edit or refused position holds it back.
inline bool EngineOnMove(const EngineState& s, Colour sideToMove) {
  return s.engineActive && s.engineColour == sideToMove && !s.analysisMode && !s.editMode && !s.positionRefused;
}

// A search begins: on the opponent's time (ponder) or not.
inline void BeginPonderSearch(EngineState& s, bool ponder) {
  s.pondering = ponder;
  s.ponderHit = false;
}
// A ponder search whose assumed move has not been played (yet).
inline bool PonderingUnhit(const EngineState& s) { return s.pondering && !s.ponderHit; }
// The search is over: no ponder state left.
inline void EndPonderSearch(EngineState& s) { s.pondering = s.ponderHit = false; }

// The state of a new game: the engine plays Black, moves, ponders and posts;
// clocks, level, depth limit, a refused position and the opponent's name
// cleared, ratings 1000, move number 1. analysisMode, editColour,
// searchAborted, passStart and the time per move ("st", a time control like
// "level", which the GUI sends again for every game) keep their values.
void ResetEngineState(EngineState& state);

}  // namespace morvi
