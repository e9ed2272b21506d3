// UCI commands between searches, the UCI pass and the in-search verdicts.
// Every "go" is answered by exactly one "bestmove": a search that ends by
// itself in "go infinite" or "go ponder" keeps its answer until "stop" (or
// "ponderhit"); a search stopped for another command still answers.
#include "engine/uci_session.h"

#include <algorithm>

#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_output.h"
#include "engine/engine_pass.h"
#include "engine/init_engine.h"
#include "engine/time_allocation.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "frontend/text_scan.h"
#include "platform/clock.h"
#include "search/think.h"
#include "search/thinker.h"

namespace morvi {

UciSession uciSession;

namespace {

bool HasClock(const GoArguments& go, int side) { return (side == kWhite ? go.whiteTime : go.blackTime) >= 0; }

// The answer of a finished search: its move and the reply it expects.
// A search stopped by a command before it had any move still answers with
// a legal move: "0000" is said only when there is none.
void Answer(const SearchResult& result) {
  Move reply = MakeMoveWord(255, 0, 255, 0);
  if (HasMove(result) && thinker.pvLength[0] > 1 && thinker.pvTable[0][0].move == result.move &&
      IsLegalReply(result.move, thinker.pvTable[0][1].move)) {
    reply = thinker.pvTable[0][1].move;
  }
  Move move = result.move;
  if (!HasMove(result) && uciSession.positionValid && position.IsPlayable()) {
    const Move fallback = FirstLegalMove();
    if (fallback != 0) move = fallback;
  }
  AnnounceBestMove(move, reply);
}

// An answer kept for "stop" is given before anything else changes the game.
void FlushHeldAnswer() {
  UciSession& u = uciSession;
  if (!u.awaitingStop) return;
  u.awaitingStop = false;
  Answer(u.held);
}

// The limit of the "go" and whether its answer waits for "stop".
int GoLimit(const GoArguments& go, bool& hold) {
  UciSession& u = uciSession;
  const int side = position.SideToMove;
  hold = go.infinite || go.ponder;
  if (hold) return kOpenEndedLimit;
  if (go.moveTime >= 0) return MoveTimeLimit(go.moveTime, u.moveOverheadMs);
  if (HasClock(go, side)) {
    SetClocksFromGo(go, side, u.moveOverheadMs, engineState);
    return SafeLimit(engineState, AllocateTime());
  }
  if (go.depth < 0 && go.nodes < 0 && go.mate < 0) hold = true;  // a bare "go" searches until "stop"
  return kOpenEndedLimit;
}

int GoDepth(const GoArguments& go) {
  int depth = kDepthLimit;
  if (go.depth >= 0) depth = go.depth;
  if (go.mate > 0 && go.mate < kDepthLimit) depth = std::min(depth, 2 * go.mate);
  return std::clamp(depth, 1, kDepthLimit);
}

void RunGo() {
  UciSession& u = uciSession;
  const GoArguments go = u.go;
  const bool stoppedAlready = u.stopRequested;  // "stop" came before the search began
  u.goPending = false;
  u.stopRequested = false;
  SearchResult result{MakeMoveWord(255, 0, 255, 0), 0};
  if (!u.positionValid || !position.IsPlayable()) {
    AnnounceUnplayable();
    Answer(result);
    return;
  }
  for (int level : {kEvalComplete, kEvalMedium, kEvalFast}) EvaluateForStage(position, level);
  const bool timed = go.moveTime >= 0 || HasClock(go, position.SideToMove);
  if (u.ownBook && timed && !go.ponder && !go.infinite && BookMove(result)) {
    AnnounceBookInfo(result.move);
    Answer(result);
    return;
  }
  bool hold = false;
  int limit = LessTimeWaited(GoLimit(go, hold), engineState.lastCommandAt, ClockMs());
  if (stoppedAlready) limit = 0, hold = false;  // answer with the first move found
  u.holdBestMove = hold;
  u.pondering = go.ponder && !stoppedAlready;
  u.searching = true;
  thinker.nodeLimit = go.nodes >= 0 ? std::max<long long>(go.nodes, 1) : 0;
  Think(result, limit, GoDepth(go));
  thinker.nodeLimit = 0;
  u.searching = false;
  u.pondering = false;
  if (u.holdBestMove && !u.stopRequested && !engineState.searchAborted) {
    u.awaitingStop = true;
    u.held = result;
    return;
  }
  Answer(result);
}

// "stop" or "ponderhit" during a search: end it at its first root move.
int EndSearch() {
  UciSession& u = uciSession;
  u.stopRequested = true;
  u.holdBestMove = false;
  if (thinker.prevPvLength > 0 || thinker.pvLength[0] > 0) return kVerdictWrapUp;
  thinker.allocatedTime = 0;
  return kVerdictContinue;
}

// "ponderhit": the ponder search goes on as the real one, with the clocks of
// its "go" counted from now.
int PonderHit(const CommandRecord& hit) {
  UciSession& u = uciSession;
  if (!u.pondering) return kVerdictContinue;
  u.pondering = false;
  u.holdBestMove = false;
  GoArguments go = u.go;
  go.ponder = false;
  bool hold = false;
  const int limit = LessTimeWaited(GoLimit(go, hold), hit.receivedAt, ClockMs());
  u.holdBestMove = hold;
  Thinker& t = thinker;
  const int searched = ElapsedCentiseconds(t);
  t.allocatedTime = ClampToInt(static_cast<long long>(searched) * 10 / 11 + limit);
  return kVerdictContinue;
}

}  // namespace

int MoveTimeLimit(int moveTimeMs, int moveOverheadMs) {
  const long long usable = static_cast<long long>(moveTimeMs) - std::max(moveOverheadMs, 0) - kMoveOverheadMs;
  return usable <= 0 ? 0 : static_cast<int>(usable * 10 / 11 / 10);
}

void SetClocksFromGo(const GoArguments& go, int side, int moveOverheadMs, EngineState& s) {
  const int own = side == kWhite ? go.whiteTime : go.blackTime;
  const int other = side == kWhite ? go.blackTime : go.whiteTime;
  const int increment = side == kWhite ? go.whiteIncrement : go.blackIncrement;
  s.ownTime = std::max<long long>((static_cast<long long>(own) - std::max(moveOverheadMs, 0)) / 10, 1);
  s.opponentTime = other > 0 ? other / 10 : 0;
  s.increment = increment > 0 ? increment / 10 : 0;
  s.baseTime = 0;
  s.movesPerControl = 0;
  s.movesToGo = go.movesToGo > 0 ? go.movesToGo : 0;
}

// A "go" still waiting for its pass is served before a command that would
// change what it searches (or replace it), so every "go" has its answer.
void RunPendingGo() {
  if (uciSession.goPending) RunGo();
}

std::string ExecuteUciCommand(const CommandRecord& r) {
  UciSession& u = uciSession;
  if (r.id == CMD_SETOPTION || r.id == CMD_UCINEWGAME || r.id == CMD_POSITION || r.id == CMD_UCI_GO) RunPendingGo();
  switch (r.id) {
    case CMD_UCI:
      u.active = true;
      WriteUciIdentification();
      return "UCI session";
    case CMD_ISREADY: AnnounceReady(); return {};
    case CMD_SETOPTION: return ApplyUciOption(r.optionName, r.optionValue);
    case CMD_UCINEWGAME:
      FlushHeldAnswer();
      InitEngine();
      u.base = "startpos";
      u.moves.clear();
      u.positionValid = true;
      return "New game";
    case CMD_POSITION: FlushHeldAnswer(); return SetUciPosition(r);
    case CMD_UCI_GO:
      FlushHeldAnswer();
      u.go = r.go;
      u.goPending = true;
      return "Go";
    case CMD_STOP:
      if (u.goPending) u.stopRequested = true;  // the search is still to begin: it answers at once
      FlushHeldAnswer();
      return {};
    case CMD_PONDERHIT:
      if (u.goPending) u.go.ponder = false;  // the search is still to begin: as a real one
      FlushHeldAnswer();
      return {};
    default: return {};
  }
}

bool RunUciPass() {
  if (!uciSession.goPending) return false;
  RunGo();
  return true;
}

int HandleUciInSearch(const CommandRecord& r) {
  switch (r.id) {
    case CMD_ISREADY: AnnounceReady(); return kVerdictContinue;
    case CMD_UCI: WriteUciIdentification(); return kVerdictContinue;
    case CMD_STOP: return EndSearch();
    case CMD_PONDERHIT: return PonderHit(r);
    default: return kVerdictAbort;
  }
}

}  // namespace morvi
