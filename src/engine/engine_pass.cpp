// The pass: the per-pass counters reset, then the session's pass. The game
// pass (the xboard session's) takes exactly one branch, tested in order:
// analysis (in analysis mode nothing else), the engine's move (book first,
// else a search within the safe time limit), pondering, or nothing. No branch
// searches a position the engine cannot play from, and none runs while a
// position is being edited or after "setboard" refused one.
#include "engine/engine_pass.h"

#include <string>

#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_move.h"
#include "engine/engine_state.h"
#include "engine/pondering.h"
#include "engine/search_choice.h"
#include "engine/session.h"
#include "engine/time_allocation.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "base/clock.h"
#include "base/debug_log.h"
#include "search/think.h"
#include "search/thinker.h"

namespace morvi {
namespace {

void StartPass() {
  ResetSearchCounters();
  evalStats = EvalStats{};
  engineState.searchAborted = false;
  engineState.passStart = thinker.clock();
}

void Analyse() {
  EngineState& s = engineState;
  s.engineColour = position.SideToMove;
  s.analysisDone = true;
  if (!position.IsPlayable()) {
    ActiveSession().WriteUnplayable();
    return;
  }
  RefreshBeforeSearch(position);
  PrepareEngineSearch(false);
  SearchResult result;
  Think(result, kOpenEndedLimit, DeepestIteration(thinker.kind));
  // A search stopped for a command (a refused move, "force") is taken up
  // again afterwards, so that the analysis goes on.
  if (s.searchAborted) s.analysisDone = false;
}

// The search for the engine's move: within the limit of the clock and the
// time control, or under "st" within its time per move; never deeper than an
// "sd" limit. A search cut short before it had any move (a "?" at its very
// start) while moves exist is run again to its first move.
void SearchOwnMove(SearchResult& result) {
  const EngineState& s = engineState;
  const int depth = SearchDepthLimit(s);
  if (s.moveTimeMs > 0) {
    const SearchDeadlines plan = MoveTimeDeadlines(s, s.lastCommandAt, ClockMs());
    LogLine("Engine", "Search time per move: " + std::to_string(s.moveTimeMs) + " ms, to " +
                          std::to_string(plan.hardMs) + " ms from now");
    Think(result, kOpenEndedLimit, depth, plan);
  } else if (thinker.kind == SearchKind::kFull) {
    const SearchDeadlines plan = XboardClockDeadlines(s, s.lastCommandAt, ClockMs());
    LogLine("Engine", "Time plan: soft " + std::to_string(plan.softMs) + " hard " + std::to_string(plan.hardMs));
    Think(result, kOpenEndedLimit, depth, plan);
  } else {
    const int limit = ThinkLimit();
    LogLine("Engine", "Search limit: " + std::to_string(limit));
    Think(result, limit, depth);
  }
  if (!HasMove(result) && !engineState.searchAborted && HasLegalMove()) Think(result, 0);
}

void PlayOwnMove() {
  EngineState& s = engineState;
  if (!position.IsPlayable()) {
    ActiveSession().WriteUnplayable();
    s.engineActive = false;
    return;
  }
  RefreshBeforeSearch(position);
  PrepareEngineSearch(true);
  SearchResult result;
  if (!BookMove(result)) SearchOwnMove(result);
  if (s.searchAborted) {
    s.engineActive = false;
    return;
  }
  CompleteEngineMove(result);
}

// False when no reply could be predicted (nothing was searched).
bool Ponder() {
  EngineState& s = engineState;
  if (!position.IsPlayable()) {
    ActiveSession().WriteUnplayable();
    s.engineActive = false;
    return true;
  }
  BeginPonderSearch(s, true);
  if (!StartPondering()) {
    EndPonderSearch(s);
    return false;
  }
  RefreshBeforeSearch(position);
  PrepareEngineSearch(true);
  SearchResult result;
  thinker.untilStopped = true;  // until the hit (which ends this) or the miss
  Think(result, kOpenEndedLimit, SearchDepthLimit(s));
  thinker.untilStopped = false;
  if (s.ponderHit) {
    // After a hit the opponent's move is a move of the game, whatever stopped
    // the search; it is played only when nothing aborted it.
    if (!s.searchAborted) CompleteEngineMove(result);
    if (s.searchAborted) s.engineActive = false;
  } else {
    position.TakeBack();
    LogLine("Thinker", "ABORT PONDERING");
    s.ponderFinished = true;
    thinker.pvLength[0] = 0;  // its line belongs to a position no longer on the board
  }
  EndPonderSearch(s);
  return true;
}

}  // namespace

bool BookMove(SearchResult& result) {
  int from = 0;
  int to = 0;
  if (!BookProbe(from, to)) return false;
  const Move move = FindMoveBySquares(from, to);
  if (!IsMove(move)) return false;
  result = {move, 0};
  return true;
}

bool RunPass() {
  StartPass();
  return ActiveSession().RunPass();
}

bool RunGamePass() {
  EngineState& s = engineState;
  if (s.editMode || s.positionRefused) return false;
  if (s.analysisMode) {
    // Analysis only analyses: a "?" or "go" meanwhile never makes it play.
    if (s.analysisDone) return false;
    Analyse();
    return true;
  }
  if (EngineOnMove(s, position.SideToMove)) {
    PlayOwnMove();
    return true;
  }
  // A level plays as a person of its strength would: it does not ponder.
  if (s.engineActive && !s.ponderFinished && s.ponderEnabled && !openingBook.inBook && LevelInForce() == 0) return Ponder();
  return false;
}

}  // namespace morvi
