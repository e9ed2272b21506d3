// The in-search command table and the ponder check. Commands that leave the
// game as it is are handled on the spot; the rest stop the search and wait
// for the engine loop. A draw offer, "bk", "hard" and "easy" (the last one
// outside pondering) are handled here too: stopping the search for them would
// leave the engine without a move on its own clock.
#include "engine/in_search.h"

#include "board/position.h"
#include "engine/command_dispatch.h"
#include "engine/engine_output.h"
#include "engine/engine_state.h"
#include "engine/pondering.h"
#include "engine/time_allocation.h"
#include "engine/uci_session.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "base/debug_log.h"
#include "base/text_scan.h"
#include "base/clock.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi {
namespace {

bool RootMoveExists(const Thinker& t) { return t.prevPvLength > 0 || t.pvLength[0] > 0; }

// "?": play the best move found so far. Before the search has any move, the
// budget is spent instead, so that the clock ends it at the first poll with a
// move to play. A ponder search without a hit just ends.
int MoveNow() {
  EngineState& s = engineState;
  s.engineActive = true;
  if ((s.pondering && !s.ponderHit) || RootMoveExists(thinker)) return kVerdictWrapUp;
  thinker.allocatedTime = 0;
  return kVerdictContinue;
}

// The opponent played the predicted move: the ponder search becomes the
// search for the engine's own move, with the time the clock allows from now.
int PonderHit(const CommandRecord& move) {
  EngineState& s = engineState;
  Thinker& t = thinker;
  if (s.engineColour == kWhite) ++s.moveNumber;
  LogLine("Engine", "YES!!! GOOD PONDERING CHOICE!");
  const int spent = (t.clock() - s.passStart) / 10;
  LogLine("Engine", "we've spent " + std::to_string(spent) + " time");
  const int limit = LessTimeWaited(SafeLimit(s, AllocateTime()), move.receivedAt, ClockMs());
  // The search stops at 1.1 times its budget counted from its own start; the
  // pondering already done is taken out of that 10%.
  const int searched = ElapsedCentiseconds(t);
  t.allocatedTime = ClampToInt(static_cast<long long>(searched) * 10 / 11 + limit);
  LogLine("Engine", "and we'll spend a total of " + std::to_string(t.allocatedTime));
  s.ponderHit = true;
  PrintThinking(true);
  return kVerdictContinue;
}

int PonderCheck(const CommandRecord& record) {
  const EngineState& s = engineState;
  if (!s.pondering || s.ponderHit) return kVerdictAbort;
  if (MoveMatchesRecord(thinker.ponderMove, record.moveFrom, record.moveTo, record.movePromotion)) return PonderHit(record);
  LogLine("Engine", "Oops - ponder move WRONG!");
  return kVerdictAbort;
}

}  // namespace

int HandleCommandInSearch(CommandRecord& record) {
  EngineState& s = engineState;
  if (uciSession.active) return HandleUciInSearch(record);
  switch (record.id) {
    case CMD_DISPLAY: position.PrintBoard(); return kVerdictContinue;
    case CMD_RANDOM: evalSettings.randomTerm = !evalSettings.randomTerm; return kVerdictContinue;
    case CMD_TIME: s.ownTime = record.clockValue; return kVerdictContinue;
    case CMD_OTIM: s.opponentTime = record.clockValue; return kVerdictContinue;
    case CMD_MOVE_NOW: return MoveNow();
    case CMD_HINT: AnnounceHint(HintMove()); return kVerdictContinue;
    case CMD_POST: s.postEnabled = true; return kVerdictContinue;
    case CMD_NOPOST: s.postEnabled = false; return kVerdictContinue;
    case CMD_STATUS: ReportStatus(); return kVerdictContinue;
    case CMD_NAME: s.opponentName = record.nameText; return kVerdictContinue;
    case CMD_RATING:
      s.ownRating = record.ratingOwn;
      s.opponentRating = record.ratingOpponent;
      return kVerdictContinue;
    case CMD_USER_MOVE: return PonderCheck(record);
    case CMD_DRAW: AnswerDrawOffer(thinker.lastScore); return kVerdictContinue;
    case CMD_BOOK: WriteBookAnswer(); return kVerdictContinue;
    case CMD_HARD: s.ponderEnabled = true; return kVerdictContinue;
    case CMD_EASY:
      if (s.pondering && !s.ponderHit) return kVerdictAbort;
      s.ponderEnabled = false;
      return kVerdictContinue;
    default: return kVerdictAbort;
  }
}

}  // namespace morvi
