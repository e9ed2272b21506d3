// The UCI session: its commands between searches, its pass and its
// in-search verdicts.
// Every "go" is answered by exactly one "bestmove": a search that ends by
// itself in "go infinite" or "go ponder" keeps its answer until "stop" (or
// "ponderhit"); a search stopped for another command still answers. Each
// "go" starts with a search state of its own, dropped with its answer.
#include "engine/uci_session.h"

#include <algorithm>

#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_pass.h"
#include "engine/engine_state.h"
#include "engine/uci_output.h"
#include "engine/init_engine.h"
#include "engine/search_choice.h"
#include "engine/uci_time.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "base/debug_log.h"
#include "base/text_scan.h"
#include "base/clock.h"
#include "search/heartbeat.h"
#include "search/think.h"
#include "search/thinker.h"

namespace morvi {

UciSession uciSession;

namespace {

bool HasClock(const GoArguments& go, Colour side) {
  return (side == Colour::kWhite ? go.whiteTime : go.blackTime) >= 0;
}

// The search's root moves from "searchmoves": the legal ones of the list. A
// list without a legal move restricts nothing. True when restricted.
bool SetRootFilter(const std::vector<std::string>& texts) {
  Thinker& t = thinker;
  t.rootFilterCount = 0;
  for (const std::string& text : texts) {
    const Move move = UciLegalMove(text);
    Move* const end = t.rootFilter + t.rootFilterCount;
    if (!IsMove(move) || std::find(t.rootFilter + 0, end, move) != end || t.rootFilterCount == kMaxMovesPerPosition) continue;
    t.rootFilter[t.rootFilterCount++] = move;
  }
  return t.rootFilterCount > 0;
}

// The search's answer is given: nothing of it is kept.
void EndUciSearch() {
  thinker.rootFilterCount = 0;
  uciSession.search = UciSearch{};
}

// The answer of a finished search: its move and the reply it expects.
// A search stopped by a command before it had any move still answers with
// a legal move (one it was allowed to search): "0000" is said only when
// there is none.
void Answer(const SearchResult& result) {
  Move reply = kNoMove;
  if (HasMove(result) && thinker.pvLength[0] > 1 && thinker.pvTable[0][0].move == result.move &&
      IsLegalReply(result.move, thinker.pvTable[0][1].move)) {
    reply = thinker.pvTable[0][1].move;
  }
  Move move = result.move;
  if (!HasMove(result) && uciSession.positionValid && position.IsPlayable()) {
    const Move fallback = thinker.rootFilterCount > 0 ? thinker.rootFilter[0] : FirstLegalMove();
    if (IsMove(fallback)) move = fallback;
  }
  EndUciSearch();
  AnnounceBestMove(move, reply);
}

// An answer kept for "stop" is given before anything else changes the game.
void FlushHeldAnswer() {
  UciSearch& search = uciSession.search;
  if (search.awaitingStop) Answer(search.held);
}

int GoDepth(const GoArguments& go) {
  const int deepest = DeepestIteration(thinker.kind);
  int depth = deepest;
  if (go.depth >= 0) depth = go.depth;
  if (go.mate > 0 && go.mate < deepest) depth = std::min(depth, 2 * go.mate);
  return std::clamp(depth, 1, deepest);
}

TimeMs WaitedSince(TimeMs receivedAtMs) { return receivedAtMs < 0 ? 0 : std::max<TimeMs>(ClockMs() - receivedAtMs, 0); }

void LogPlan(const SearchDeadlines& plan) {
  if (plan.hardMs < 0) return;
  LogLine("Engine", "Time plan: soft " + std::to_string(plan.softMs) + " hard " + std::to_string(plan.hardMs));
}

// The search of a "go" under its limits; the poll interval and the node
// limit it set are undone when it ends.
void SearchGo(SearchResult& result, const SearchDeadlines& plan) {
  const GoArguments& go = uciSession.search.go;
  Thinker& t = thinker;
  const int mask = t.heartbeatMask;
  if (go.nodes >= 0) {
    t.nodeLimit = std::max<long long>(go.nodes, 1);
    t.heartbeatMask = NodeLimitMask(t.nodeLimit, mask);
  }
  uciSession.root = position;
  LogPlan(plan);
  Think(result, kOpenEndedLimit, GoDepth(go), plan);
  t.nodeLimit = 0;
  t.heartbeatMask = mask;
  // The last line shown begins with the move chosen (the line table can end
  // an iteration without a line for it).
  if (HasMove(result) && t.printedPv[0].move != result.move && engineState.postEnabled && !engineState.searchAborted) {
    AnnounceSearchedMove(result.move, result.score);
  }
}

void RunGo() {
  UciSession& u = uciSession;
  UciSearch& search = u.search;
  const GoArguments& go = search.go;
  search.pending = false;
  SearchResult result{kNoMove, 0};
  if (!u.positionValid || !position.IsPlayable()) {
    u.WriteUnplayable();
    Answer(result);
    return;
  }
  RefreshBeforeSearch(position);
  // "go infinite" analyses: it is never played at a level.
  PrepareEngineSearch(!go.infinite && !u.analyseMode);
  const bool restricted = SetRootFilter(go.searchMoves);
  const bool timed = go.moveTime >= 0 || HasClock(go, position.SideToMove);
  // A GUI that analyses (UCI_AnalyseMode) wants the search's lines even on
  // a timed "go": the book is for play.
  if (u.ownBook && !u.analyseMode && timed && !go.ponder && !go.infinite && !restricted && BookMove(result)) {
    AnnounceBookInfo(result.move);
    Answer(result);
    return;
  }
  SearchDeadlines plan = PlanUciTime(go, position.SideToMove, u.moveOverheadMs);
  search.holdBestMove = go.infinite || go.ponder;
  BeginPonderSearch(engineState, go.ponder);
  if (search.stopRequested) {  // "stop" came before the search began: answer with the first move found
    plan = {0, 0};
    search.holdBestMove = false;
    EndPonderSearch(engineState);
  }
  SearchGo(result, LessElapsed(plan, WaitedSince(search.receivedAt)));
  EndPonderSearch(engineState);
  if (search.holdBestMove && !search.stopRequested && !engineState.searchAborted) {
    search.awaitingStop = true;
    search.held = result;
    return;
  }
  Answer(result);
}

// "stop" during a search: end it now, or at its first root move.
Verdict EndSearch() {
  UciSearch& search = uciSession.search;
  search.stopRequested = true;
  search.holdBestMove = false;
  if (HasRootMove(thinker)) return Verdict::kWrapUp;
  SetDeadlines(thinker, {0, 0}, thinker.clock());
  return Verdict::kContinue;
}

// "ponderhit": the ponder search goes on as the real one, planned by the
// clocks of its "go" and timed from the "ponderhit".
Verdict PonderHit(const CommandRecord& hit) {
  UciSession& u = uciSession;
  UciSearch& search = u.search;
  if (!PonderingUnhit(engineState)) return Verdict::kContinue;
  engineState.ponderHit = true;
  search.go.ponder = false;
  search.holdBestMove = search.go.infinite;
  const SearchDeadlines plan = LessElapsed(PlanUciTime(search.go, u.root.SideToMove, u.moveOverheadMs),
                                           WaitedSince(hit.receivedAt));
  LogPlan(plan);
  SetDeadlines(thinker, plan, thinker.clock());
  return Verdict::kContinue;
}

}  // namespace

// A "go" still waiting for its pass is served before a command that would
// change what it searches (or replace it), so every "go" has its answer.
void RunPendingGo() {
  if (uciSession.search.pending) RunGo();
}

std::string UciSession::Execute(const CommandRecord& r) {
  UciSession& u = *this;
  if (r.id == CommandId::kSetoption || r.id == CommandId::kUcinewgame || r.id == CommandId::kPosition || r.id == CommandId::kUciGo) RunPendingGo();
  switch (r.id) {
    case CommandId::kUci:
      AdoptModernDefaults(config);
      WriteUciIdentification();
      return "UCI session";
    case CommandId::kIsready: AnnounceReady(); return {};
    case CommandId::kSetoption: {
      std::string log = ApplyUciOption(r.optionName, r.optionValue);
      SizeSearchToConfiguration();  // a search never runs here: one that ran deferred it
      return log;
    }
    case CommandId::kUcinewgame:
      FlushHeldAnswer();
      EndUciSearch();
      InitEngine();
      u.base = "startpos";
      u.moves.clear();
      u.positionValid = true;
      return "New game";
    case CommandId::kPosition: FlushHeldAnswer(); return SetUciPosition(r);
    case CommandId::kUciGo:
      FlushHeldAnswer();
      u.search = UciSearch{};
      u.search.go = r.go;
      u.search.receivedAt = r.receivedAt;
      u.search.pending = true;
      return "Go";
    case CommandId::kStop:
      if (u.search.pending) u.search.stopRequested = true;  // the search is still to begin: it answers at once
      FlushHeldAnswer();
      return {};
    case CommandId::kPonderhit:
      if (u.search.pending && u.search.go.ponder) {  // the search is still to begin: as a real one, timed from now
        u.search.go.ponder = false;
        u.search.receivedAt = r.receivedAt;
      }
      FlushHeldAnswer();
      return {};
    default: return {};
  }
}

bool UciSession::RunPass() {
  if (!search.pending) return false;
  RunGo();
  std::vector<CommandRecord> late;
  late.swap(deferred);
  for (const CommandRecord& r : late) {
    const std::string log = Execute(r);
    if (!log.empty()) LogLine("Command", log);
  }
  return true;
}

Verdict UciSession::InSearch(CommandRecord& r) {
  switch (r.id) {
    case CommandId::kIsready: AnnounceReady(); return Verdict::kContinue;
    case CommandId::kUci: WriteUciIdentification(); return Verdict::kContinue;
    case CommandId::kStop: return EndSearch();
    case CommandId::kPonderhit: return PonderHit(r);
    // An option takes effect once the search has ended: the search goes on
    // (a "go infinite" still waits for its "stop").
    case CommandId::kSetoption: deferred.push_back(r); return Verdict::kContinue;
    default: return Verdict::kAbort;
  }
}

void UciSession::WriteThinking(const Thinker& t) { AnnounceUciThinking(t); }

void UciSession::WriteCurrentMove(Move move, int number) { AnnounceCurrentMove(move, number); }

void UciSession::WriteUnplayable() { AnnounceInfo("illegal position - the engine cannot play it"); }

}  // namespace morvi
