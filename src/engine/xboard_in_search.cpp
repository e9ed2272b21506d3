// The xboard session's in-search command table and the ponder check. Commands that leave the
// game as it is are handled on the spot (or deferred to the search's end
// when they must wait for it); the rest stop the search and wait for the
// engine loop. A draw offer, "bk", "hard" and "easy" (the last one
// outside pondering) are handled here too: stopping the search for them would
// leave the engine without a move on its own clock.
#include "base/clock.h"
#include "base/debug_log.h"
#include "base/text_scan.h"
#include "board/position.h"
#include "engine/engine_state.h"
#include "engine/pondering.h"
#include "engine/time_allocation.h"
#include "engine/user_move.h"
#include "engine/xboard_output.h"
#include "engine/xboard_session.h"
#include "eval/evaluate.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi {
namespace {

// "?": play the best move found so far. Before the search has any move, the
// budget is spent instead, so that the clock ends it at the first poll with a
// move to play. A ponder search without a hit just ends.
Verdict MoveNow() {
  EngineState& s = engineState;
  s.engineActive = true;
  if (PonderingUnhit(s) || HasRootLine(thinker)) return Verdict::kWrapUp;
  thinker.allocatedTime = 0;
  return Verdict::kContinue;
}

// The opponent played the predicted move: the ponder search becomes the
// search for the engine's own move, with the time the clock allows from now.
Verdict PonderHit(const CommandRecord& move) {
  EngineState& s = engineState;
  Thinker& t = thinker;
  if (s.engineColour == Colour::kWhite) ++s.moveNumber;
  LogLine("Engine", "YES!!! GOOD PONDERING CHOICE!");
  const TimeMs spent = (t.clock() - s.passStart) / 10;
  LogLine("Engine", "we've spent " + std::to_string(spent) + " time");
  s.ponderHit = true;
  t.untilStopped = false;
  if (s.moveTimeMs > 0) {  // "st": the time per move, counted from the opponent's move
    SetDeadlines(t, MoveTimeDeadlines(s, move.receivedAt, ClockMs()), t.clock());
    PrintThinking(true);
    return Verdict::kContinue;
  }
  if (t.kind == SearchKind::kFull) {  // the clock's plan, counted from the opponent's move
    SetDeadlines(t, XboardClockDeadlines(s, move.receivedAt, ClockMs()), t.clock());
    PrintThinking(true);
    return Verdict::kContinue;
  }
  const int limit = LessTimeWaited(SafeLimit(s, AllocateTime()), move.receivedAt, ClockMs());
  // The search stops at 1.1 times its budget counted from its own start; the
  // pondering already done is taken out of that 10%.
  const int searched = ElapsedCentiseconds(t);
  t.allocatedTime = ClampToInt(static_cast<long long>(searched) * 10 / 11 + limit);
  LogLine("Engine", "and we'll spend a total of " + std::to_string(t.allocatedTime));
  PrintThinking(true);
  return Verdict::kContinue;
}

// "ping": answered at once while the engine ponders or analyses; during
// the search for its own move, after the move.
Verdict PingInSearch(const CommandRecord& record) {
  const EngineState& s = engineState;
  if (PonderingUnhit(s) || s.analysisMode) {
    AnnouncePong(record.argument);
  } else {
    xboardSession.Defer(record);
  }
  return Verdict::kContinue;
}

Verdict PonderCheck(const CommandRecord& record) {
  const EngineState& s = engineState;
  if (!PonderingUnhit(s)) return Verdict::kAbort;
  if (MoveMatchesRecord(thinker.ponderMove, record.moveFrom, record.moveTo, record.movePromotion)) return PonderHit(record);
  LogLine("Engine", "Oops - ponder move WRONG!");
  return Verdict::kAbort;
}

}  // namespace

Verdict XboardVerdict(const CommandRecord& record) {
  EngineState& s = engineState;
  switch (record.id) {
    case CommandId::kDisplay: AnnounceBoard(position.BoardDiagram()); return Verdict::kContinue;
    case CommandId::kRandom: evalSettings.randomTerm = !evalSettings.randomTerm; return Verdict::kContinue;
    case CommandId::kTime: s.ownTime = record.clockValue; return Verdict::kContinue;
    case CommandId::kOtim: s.opponentTime = record.clockValue; return Verdict::kContinue;
    case CommandId::kMoveNow: return MoveNow();
    case CommandId::kHint: AnnounceHint(HintMove()); return Verdict::kContinue;
    case CommandId::kPost: s.postEnabled = true; return Verdict::kContinue;
    case CommandId::kNopost: s.postEnabled = false; return Verdict::kContinue;
    case CommandId::kStatus: ReportStatus(); return Verdict::kContinue;
    case CommandId::kName: s.opponentName = record.nameText; return Verdict::kContinue;
    case CommandId::kRating:
      s.ownRating = record.ratingOwn;
      s.opponentRating = record.ratingOpponent;
      return Verdict::kContinue;
    case CommandId::kUserMove: return PonderCheck(record);
    case CommandId::kDraw: AnswerDrawOffer(thinker.lastScore); return Verdict::kContinue;
    case CommandId::kBook: AnnounceBookAnswer(); return Verdict::kContinue;
    case CommandId::kHard: s.ponderEnabled = true; return Verdict::kContinue;
    case CommandId::kEasy:
      if (PonderingUnhit(s)) return Verdict::kAbort;
      s.ponderEnabled = false;
      return Verdict::kContinue;
    // The protocol's second version: the time and depth of later moves
    // change at once, a table size or an option after the search.
    case CommandId::kProtover: return Verdict::kContinue;
    case CommandId::kPing: return PingInSearch(record);
    case CommandId::kSt: s.moveTimeMs = record.number; return Verdict::kContinue;
    case CommandId::kSd: s.depthLimit = record.number; return Verdict::kContinue;
    case CommandId::kMemory:
    case CommandId::kCores:
    case CommandId::kOption: xboardSession.Defer(record); return Verdict::kContinue;
    default: return Verdict::kAbort;
  }
}

}  // namespace morvi
