// The time allocation in the engine's own arithmetic (signed 32-bit, divisions
// truncating; sums that would leave the 32-bit range stop at its ends instead
// of wrapping), its log line, and the safety cut applied to it before a search.
#include "engine/time_allocation.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/text_scan.h"
#include "base/clock.h"
#include "engine/uci_time.h"
#include "search/think.h"

namespace morvi {
namespace {

constexpr int kLongControlBase = 180000000;  // "level 10 30000 0": 30,000 minutes
constexpr int kDefaultTimeLeft = 30000;      // centiseconds, when nothing is known

// Step 3: moves to go.
int MovesToGo(const EngineState& s) {
  if (s.movesPerControl == 0) return std::max(60 - s.moveNumber / 2, 20);
  return s.movesPerControl - s.moveNumber % s.movesPerControl;
}

// Step 4: the time left.
int TimeLeft(const EngineState& s) {
  if (s.ownTime != 0) return s.ownTime;
  return s.baseTime != 0 ? s.baseTime : kDefaultTimeLeft;
}

void LogAllocation(int a, int c, const EngineState& s) {
  char text[160];
  std::snprintf(text, sizeof text, "Allocated time: %d - Calc MPS: %d - MPS/BASE/INC: %d/%d/%d", a, c,
                s.movesPerControl, s.baseTime, s.increment);
  LogLine("Engine", text);
}

}  // namespace

int AllocateTime(EngineState& s, int oppTimeAdv) {
  if (s.ownTime < 0) return 0;
  if (s.baseTime == kLongControlBase && s.movesPerControl == 10) {
    s.baseTime = 30000;
    s.movesPerControl = 60;
  }
  const int c = MovesToGo(s);
  int a = ClampToInt(static_cast<long long>(TimeLeft(s) / c) + s.increment);
  if (s.moveNumber < 15) a = ClampToInt(static_cast<long long>(a * 1.5));
  if (s.opponentTime > 0 && s.ownTime > s.opponentTime && oppTimeAdv != 0) {
    a = ClampToInt(static_cast<long long>(a) + (s.ownTime - s.opponentTime) / 4);
  }
  LogAllocation(a, c, s);
  return a;
}

int AllocateTime() { return AllocateTime(engineState, config.OppTimeAdv); }

int MovesDue(const EngineState& s) {
  if (s.movesPerControl <= 0) return MovesToGo(s);
  const int played = (std::max(s.moveNumber, 1) - 1) % s.movesPerControl;
  return s.movesPerControl - played;
}

int SafeLimit(const EngineState& s, int allocation) {
  if (s.ownTime < 0 || allocation <= 0) return 0;
  const std::int64_t clockMs = static_cast<std::int64_t>(TimeLeft(s)) * 10;
  const std::int64_t incrementMs = std::max<std::int64_t>(s.increment, 0) * 10;
  const std::int64_t c = kMoveOverheadMs;
  // Each later move due needs c before its flag falls, less the increment
  // that the move before it brought back.
  const std::int64_t later = static_cast<std::int64_t>(MovesDue(s) - 1) * std::max<std::int64_t>(c - incrementMs, 0);
  const std::int64_t spendMs = clockMs - std::max(c, later);
  const std::int64_t limitMs = (spendMs - c) * 10 / 11;
  if (limitMs <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(allocation, limitMs / 10));
}

int LessTimeWaited(int limit, TimeMs queuedAtMs, TimeMs nowMs) {
  if (queuedAtMs < 0) return limit;  // not known
  const TimeMs waited = std::max<TimeMs>(nowMs - queuedAtMs, 0) / 10;
  return static_cast<int>(std::max<TimeMs>(limit - waited, 0));
}

int ThinkLimit() {
  return LessTimeWaited(SafeLimit(engineState, AllocateTime()), engineState.lastCommandAt, ClockMs());
}

SearchDeadlines MoveTimeDeadlines(const EngineState& s, TimeMs queuedAtMs, TimeMs nowMs) {
  const TimeMs waited = queuedAtMs < 0 ? 0 : std::max<TimeMs>(nowMs - queuedAtMs, 0);
  return LessElapsed(MoveTimePlan(s.moveTimeMs, kMoveOverheadMs), waited);
}

SearchDeadlines XboardClockDeadlines(const EngineState& s, TimeMs queuedAtMs, TimeMs nowMs) {
  if (s.ownTime < 0) return {0, 0};
  const TimeMs waited = queuedAtMs < 0 ? 0 : std::max<TimeMs>(nowMs - queuedAtMs, 0);
  const int clockMs = ClampToInt(static_cast<long long>(TimeLeft(s)) * 10);
  const int incrementMs = ClampToInt(static_cast<long long>(std::max(s.increment, 0)) * 10);
  const int movesToGo = s.movesPerControl > 0 ? MovesDue(s) : -1;
  return LessElapsed(ClockPlan(clockMs, incrementMs, movesToGo, kMoveOverheadMs), waited);
}

int SearchDepthLimit(const EngineState& s) {
  const int deepest = DeepestIteration(thinker.kind);
  return s.depthLimit > 0 ? std::min(s.depthLimit, deepest) : deepest;
}

}  // namespace morvi
