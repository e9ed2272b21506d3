// The levels' table, the weighed choice among the lines, and the time a
// levelled move takes.
#include "search/strength_level.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "base/random.h"
#include "search/heartbeat.h"

namespace morvi {
namespace {

// A row of the levels' table; the levels between two rows are interpolated
// (the nodes geometrically, the rest in a straight line). Losses in
// centipawns.
struct LevelRow {
  int elo;
  std::int64_t nodes;
  int lines;
  int temperatureCp;
  int maxLossCp;
  int thinkPercent;
};

// At 1500 and above the largest loss stays well below a minor piece: a
// piece is never left hanging for nothing. The rows are placed where the
// matches against stockfish's levels put them (10 s + 0.1 s); the last row
// is where the levels meet the full search.
constexpr LevelRow kLevels[] = {
    {kLowestElo, 1400, 5, 76, 345, 53},
    {800, 1900, 5, 66, 300, 52},
    {1100, 3700, 4, 48, 230, 51},
    {1350, 7000, 4, 32, 160, 50},
    {1500, 10000, 3, 20, 105, 46},
    {1650, 40000, 3, 12, 80, 44},
    {1800, 105000, 2, 8, 60, 42},
    {kHighestElo, 1000000, 2, 5, 50, 40},
};

constexpr int ScoreOfCentipawns(int cp) { return cp * 1024 / 100; }

int Between(int a, int b, double f) { return static_cast<int>(std::lround(a + (b - a) * f)); }

// Losses beyond this (mates against a plain score) weigh as this.
constexpr int kLossCap = 64 * 1024;

// The wait's steps between two polls of the caller.
constexpr int kWaitStepMs = 5;

}  // namespace

LevelPlan PlanForLevel(int elo) {
  if (elo >= kHighestElo) return {};
  elo = std::max(elo, kLowestElo);
  const LevelRow* high = std::begin(kLevels) + 1;
  while (high->elo < elo) ++high;
  const LevelRow& low = *(high - 1);
  const double f = static_cast<double>(elo - low.elo) / (high->elo - low.elo);
  LevelPlan plan;
  plan.limited = true;
  plan.nodes = std::llround(std::exp(std::log(static_cast<double>(low.nodes)) * (1 - f) +
                                     std::log(static_cast<double>(high->nodes)) * f));
  plan.lines = Between(low.lines, high->lines, f);
  plan.temperature = ScoreOfCentipawns(Between(low.temperatureCp, high->temperatureCp, f));
  plan.maxLoss = ScoreOfCentipawns(Between(low.maxLossCp, high->maxLossCp, f));
  plan.thinkPercent = Between(low.thinkPercent, high->thinkPercent, f);
  return plan;
}

int ChooseLevelLine(const SearchLine* lines, int count, const LevelPlan& plan, int random15) {
  if (!plan.limited || count <= 1 || plan.temperature <= 0) return 0;
  double weights[kMaxMultiPv];
  double total = 0;
  int considered = 0;
  for (int i = 0; i < std::min(count, kMaxMultiPv); ++i) {
    const int loss = std::min(lines[0].score - lines[i].score, kLossCap);
    if (loss > plan.maxLoss) break;  // best first: every later line loses more
    weights[i] = std::exp(-static_cast<double>(std::max(loss, 0)) / plan.temperature);
    total += weights[i];
    considered = i + 1;
  }
  double pick = total * random15 / (kRandomMax + 1.0);
  for (int i = 0; i < considered; ++i) {
    if (pick < weights[i]) return i;
    pick -= weights[i];
  }
  return 0;
}

void SpendLevelTime(Thinker& t, const LevelPlan& plan) {
  if (!plan.limited || plan.thinkPercent <= 0 || t.stoppedByCaller || t.untilStopped) return;
  // The planned time may change while waiting (a ponder hit sets it), so
  // the end of the wait is worked out afresh at every step.
  const auto waitEnd = [&t, &plan] { return t.startClock + (t.softDeadline.at - t.startClock) * plan.thinkPercent / 100; };
  t.stop = false;
  while (!t.stop && t.softDeadline.set && t.clock() < waitEnd()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kWaitStepMs));
    PollCaller();
  }
}

}  // namespace morvi
