// Deadlines on a clock that has run for weeks: a search started just below
// the 32-bit millisecond wrap, across it or far past it keeps its deadline to
// the millisecond, and the largest times a GUI can send (UCI movetime and
// wtime, xboard time and st) never end a search before its depth.
#include <climits>

#include "engine/engine_pass.h"
#include "engine/engine_test_support.h"
#include "engine/time_allocation.h"
#include "engine/uci_time.h"
#include "search/think.h"

namespace morvi {
namespace {

using testing::EngineTest;
using testing::SetUpGame;

constexpr const char* kMiddleGame = "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4";
constexpr TimeMs kWrap = TimeMs{1} << 31;

// One millisecond a reading, from a chosen moment.
struct TickClock {
  static inline TimeMs now = 0;
  static TimeMs Read() { return now++; }
};

// Moments to start at: an early one, just below the 32-bit wrap (the search
// crosses it), just past it, and past the unsigned wrap too.
constexpr TimeMs kStarts[] = {1000, kWrap - 300, kWrap + 5, 2 * kWrap + 7};

class ClockWrapTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SetUpGame(kMiddleGame);
    thinker.heartbeatMask = 0;  // the clock is read at every node
    thinker.clock = TickClock::Read;
  }

  // A search from `start` under the plan; the milliseconds it ran.
  static TimeMs SearchFrom(TimeMs start, const SearchDeadlines& plan, int budget, int depth, SearchResult& result) {
    ResetThinker();
    TickClock::now = start;
    Think(result, budget, depth, plan);
    return TickClock::now - start;
  }
};

TEST_F(ClockWrapTest, AHardDeadlineHoldsWhereverTheClockStands) {
  for (TimeMs start : kStarts) {
    SCOPED_TRACE(start);
    SearchResult result;
    const TimeMs ran = SearchFrom(start, MoveTimePlan(1030, 30), kOpenEndedLimit, kDepthLimit, result);
    EXPECT_TRUE(thinker.stop);
    EXPECT_TRUE(HasMove(result));
    EXPECT_GE(ran, 1000);
    EXPECT_LT(ran, 1300);  // the first node past it, and the unwinding
  }
}

TEST_F(ClockWrapTest, TheLargestTimesNeverEndASearchEarly) {
  GoArguments movetime;
  movetime.moveTime = INT_MAX;
  GoArguments clocks;
  clocks.whiteTime = clocks.blackTime = INT_MAX;
  clocks.whiteIncrement = clocks.blackIncrement = INT_MAX;
  EngineState st = engineState;
  st.moveTimeMs = 86400 * 1000;  // "st 86400", the longest the reader takes
  EngineState xboardClock = engineState;
  xboardClock.ownTime = xboardClock.opponentTime = INT_MAX;  // "time 2147483647"
  xboardClock.baseTime = INT_MAX;
  const struct {
    const char* what;
    SearchDeadlines plan;
    int budget;
  } rows[] = {
      {"go movetime 2147483647", PlanUciTime(movetime, Colour::kWhite, 30), kOpenEndedLimit},
      {"go wtime 2147483647 winc 2147483647", PlanUciTime(clocks, Colour::kWhite, 30), kOpenEndedLimit},
      {"st 86400", MoveTimeDeadlines(st, -1, 0), kOpenEndedLimit},
      {"time 2147483647", {}, SafeLimit(xboardClock, AllocateTime(xboardClock, 1))},
  };
  for (const auto& row : rows) {
    for (TimeMs start : kStarts) {
      SCOPED_TRACE(std::string(row.what) + " from " + std::to_string(start));
      SearchResult result;
      SearchFrom(start, row.plan, row.budget, 3, result);
      EXPECT_FALSE(thinker.stop);
      EXPECT_EQ(thinker.prevPvDepth, 3);  // every iteration ran to its end
      EXPECT_TRUE(HasMove(result));
    }
  }
}

}  // namespace
}  // namespace morvi
