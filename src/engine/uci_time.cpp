// The UCI time plan's arithmetic, in 64 bits so that no clock a GUI can send
// overflows it.
#include "engine/uci_time.h"

#include <algorithm>
#include <cstdint>

#include "board/position.h"

namespace morvi {
namespace {

std::int64_t KeptBack(int moveOverheadMs) { return std::max(moveOverheadMs, kLeastKeptBackMs); }

int ToInt(std::int64_t ms) { return static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT32_MAX)); }

// The share of the usable time the hard limit may take, in thousandths: a
// quarter, more when the control's last moves have the rest of it.
std::int64_t HardSharePermille(int movesToGo) {
  if (movesToGo <= 0) return 250;
  return std::clamp<std::int64_t>(1500 / movesToGo, 250, 800);
}

}  // namespace

SearchDeadlines MoveTimePlan(int moveTimeMs, int moveOverheadMs) {
  const int ms = ToInt(static_cast<std::int64_t>(moveTimeMs) - KeptBack(moveOverheadMs));
  return {ms, ms};
}

SearchDeadlines ClockPlan(int timeMs, int incrementMs, int movesToGo, int moveOverheadMs) {
  const std::int64_t usable = std::max<std::int64_t>(static_cast<std::int64_t>(timeMs) - KeptBack(moveOverheadMs), 0);
  const std::int64_t increment = std::max(incrementMs, 0);
  const int moves = movesToGo > 0 ? std::min(movesToGo, 50) : kSuddenDeathMoves;
  const std::int64_t target = usable / moves + increment * 3 / 4;
  // The iteration under way when the soft limit passes still ends, so a
  // move takes about twice its soft limit on average: the soft limit is set
  // below the move's share for the average to meet it.
  const std::int64_t hard = std::min(target * 2, usable * HardSharePermille(movesToGo) / 1000);
  return {ToInt(std::min(target * 3 / 5, hard)), ToInt(hard)};
}

SearchDeadlines PlanUciTime(const GoArguments& go, Colour side, int moveOverheadMs) {
  if (go.infinite || go.ponder) return {};
  const int own = side == Colour::kWhite ? go.whiteTime : go.blackTime;
  const int increment = side == Colour::kWhite ? go.whiteIncrement : go.blackIncrement;
  if (go.moveTime >= 0) {
    SearchDeadlines plan = MoveTimePlan(go.moveTime, moveOverheadMs);
    if (own >= 0) plan.hardMs = std::min(plan.hardMs, ClockPlan(own, increment, go.movesToGo, moveOverheadMs).hardMs);
    plan.softMs = std::min(plan.softMs, plan.hardMs);
    return plan;
  }
  if (own >= 0) return ClockPlan(own, increment, go.movesToGo, moveOverheadMs);
  if (go.depth >= 0 || go.nodes >= 0 || go.mate >= 0) return {};
  return {kDefaultSoftMs, kDefaultHardMs};
}

SearchDeadlines LessElapsed(const SearchDeadlines& plan, TimeMs elapsedMs) {
  const TimeMs gone = std::max<TimeMs>(elapsedMs, 0);
  SearchDeadlines rest = plan;
  if (rest.softMs >= 0) rest.softMs = static_cast<int>(std::max<TimeMs>(rest.softMs - gone, 0));
  if (rest.hardMs >= 0) rest.hardMs = static_cast<int>(std::max<TimeMs>(rest.hardMs - gone, 0));
  return rest;
}

}  // namespace morvi
