// InitEngine: the engine state and search state reset, a new game and book
// line, the per-ply list bounds cleared, and the heartbeat calibration with
// its log line. The machine's speed is measured once, by the first
// InitEngine; later new games reuse the measure (a match runner starts many
// games, and each calibration costs 0.3 s). The calibration's mask is kept
// and logged as measured; the search polls at least every kPollMaskCap + 1
// nodes.
#include "engine/init_engine.h"

#include <algorithm>
#include <string>

#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_state.h"
#include "engine/uci_session.h"
#include "engine/xboard_session.h"
#include "base/config.h"
#include "engine/engine_host.h"
#include "eval/evaluate.h"
#include "base/debug_log.h"
#include "search/full_search.h"
#include "search/thinker.h"
#include "search/transposition.h"

namespace morvi {
namespace {

constexpr int kCalibrationCentiseconds = 30;
constexpr int kCalibrationStep = 64;
constexpr int kCompleteEntries = 4;  // entries evaluated at level Complete

int calibratedMask = kPollMaskCap;
bool calibrated = false;

// One pass over the generated moves; true once the time is up (raw set).
bool CalibrationPass(TimeMs (*clock)(), TimeMs start, int& count, int& raw) {
  MoveStack& ms = moveStack;
  bool done = false;
  position.GenerateMoves(ms.entries, &ms.listEnd[0]);
  for (int i = ms.listStart[0]; i < ms.listEnd[0]; ++i) {
    UndoRecord undo;
    const Move move = ms.entries[i].move;
    if (position.MakeMove(move, undo) == 0) continue;
    Evaluate(position, i < kCompleteEntries ? EvalLevel::kComplete : EvalLevel::kFast);
    ++count;
    position.UnmakeMove(move, undo);
    if (count % kCalibrationStep == 0 && (clock() - start) / 10 >= kCalibrationCentiseconds) {
      done = true;
      raw = count;
    }
  }
  ms.listStart[0] = 0;
  ms.listEnd[0] = 0;
  return done;
}

}  // namespace

int HeartbeatMaskFor(int raw) {
  long long m = 1;
  if (raw > 1) {
    while (m < raw) m *= 2;
  }
  return static_cast<int>(m / 2 - 1);
}

int CalibrationCount(TimeMs (*clock)()) {
  int count = 0;
  int raw = 0;
  const TimeMs start = clock();
  while (!CalibrationPass(clock, start, count, raw)) {
    if (count == 0) return 0;  // no legal move to evaluate: nothing to time
  }
  return raw;
}

int CalibratedHeartbeatMask() { return calibratedMask; }

void CalibrateHeartbeat(TimeMs (*clock)()) {
  calibratedMask = HeartbeatMaskFor(CalibrationCount(clock));
  calibrated = true;
}

void ResetEngineThread() {
  position = Position{};
  moveStack = MoveStack{};
  ClearSearchState();
  thinker.host = &engineHost;
  evalStats = EvalStats{};
  evalSettings = EvalSettings{};
  evalSettings.randomTerm = config.RandomTerm != 0;
  engineState = EngineState{};
  ResetOpeningBook();
  xboardSession = XboardSession{};
  uciSession = UciSession{};
}

void SizeTableToConfiguration() {
  TranspositionTable& table = transpositionTable;
  const std::size_t wanted = static_cast<std::size_t>(std::max(config.Hash, 0));
  if (wanted == table.Megabytes()) return;
  if (!table.Resize(wanted)) {
    LogLine("Engine", "Hash table of " + std::to_string(wanted) + " MB could not be had: none");
    config.Hash = 0;
    return;
  }
  LogLine("Engine", "Hash table " + std::to_string(wanted) + " MB");
}

void InitEngine() {
  SizeTableToConfiguration();
  transpositionTable.Clear();
  ClearFullSearchMemory();
  ResetEngineState(engineState);
  ResetThinker();
  position.NewGame();
  BookLoad();
  for (int p = 0; p < kMaxPly; ++p) {
    moveStack.listStart[p] = 0;
    moveStack.listEnd[p] = 0;
  }
  if (!calibrated) CalibrateHeartbeat(thinker.clock);
  thinker.heartbeatMask = std::clamp(calibratedMask, 0, kPollMaskCap);
  thinker.host = &engineHost;
  LogLine("Engine", "Heartbeat is " + std::to_string(calibratedMask));
}

}  // namespace morvi
