// The UCI time plan at its edges: which "go" gets which kind of plan, the
// fixed move time, the clock's share with and without an increment or moves
// to go, and clocks no search can use (tiny, negative, huge); the plan less
// the time already gone; the poll interval of a node-limited search.
#include "engine/uci_time.h"

#include <gtest/gtest.h>

#include <climits>

#include "board/position.h"
#include "engine/uci_session.h"

namespace morvi {
namespace {

using enum Colour;

GoArguments Clock(int white, int black, int whiteInc = -1, int blackInc = -1, int movesToGo = -1) {
  GoArguments go;
  go.whiteTime = white, go.blackTime = black;
  go.whiteIncrement = whiteInc, go.blackIncrement = blackInc;
  go.movesToGo = movesToGo;
  return go;
}

void ExpectPlan(const SearchDeadlines& plan, int soft, int hard, const char* what) {
  EXPECT_EQ(plan.softMs, soft) << what;
  EXPECT_EQ(plan.hardMs, hard) << what;
}

TEST(UciTimePlan, WhichGoGetsWhichPlan) {
  GoArguments go;
  ExpectPlan(PlanUciTime(go, kWhite, 30), kDefaultSoftMs, kDefaultHardMs, "a bare go");
  go.infinite = true;
  ExpectPlan(PlanUciTime(go, kWhite, 30), -1, -1, "infinite");
  go = Clock(60000, 60000);
  go.ponder = true;
  ExpectPlan(PlanUciTime(go, kWhite, 30), -1, -1, "ponder: planned at its ponderhit");
  go = GoArguments{};
  go.depth = 20;
  ExpectPlan(PlanUciTime(go, kWhite, 30), -1, -1, "depth alone");
  go = GoArguments{};
  go.nodes = 5000;
  ExpectPlan(PlanUciTime(go, kBlack, 30), -1, -1, "nodes alone");
  // A clock for the other side only, increments or moves to go alone: no
  // limit of the mover's own, so the default.
  for (const GoArguments& own : {Clock(60000, -1), Clock(-1, -1, 100, 100), Clock(-1, -1, -1, -1, 10)}) {
    ExpectPlan(PlanUciTime(own, kBlack, 30), kDefaultSoftMs, kDefaultHardMs, "no clock of the mover's");
  }
  // The mover's clock is the one read.
  const SearchDeadlines white = PlanUciTime(Clock(60000, 6000), kWhite, 30);
  const SearchDeadlines black = PlanUciTime(Clock(60000, 6000), kBlack, 30);
  EXPECT_GT(white.softMs, 5 * black.softMs);
}

TEST(UciTimePlan, MoveTimeIsSpentLessTheOverhead) {
  ExpectPlan(MoveTimePlan(1000, 30), 970, 970, "movetime 1000");
  ExpectPlan(MoveTimePlan(100, 30), 70, 70, "movetime 100");
  ExpectPlan(MoveTimePlan(1000, 0), 995, 995, "no overhead: the least kept back");
  ExpectPlan(MoveTimePlan(20, 30), 0, 0, "shorter than the overhead: the first move found");
  ExpectPlan(MoveTimePlan(INT_MAX, 30), INT_MAX - 30, INT_MAX - 30, "huge");
  GoArguments go;
  go.moveTime = 1000;
  go.depth = 3;  // a depth beside it does not lift the time limit
  ExpectPlan(PlanUciTime(go, kWhite, 30), 970, 970, "movetime with depth");
  go.whiteTime = 2000;  // a clock beside it can only shorten it
  EXPECT_LT(PlanUciTime(go, kWhite, 30).hardMs, 970);
  EXPECT_LE(PlanUciTime(go, kWhite, 30).softMs, PlanUciTime(go, kWhite, 30).hardMs);
}

TEST(UciTimePlan, ClockShares) {
  // 60 s sudden death: 1/30 of 59,970 is the share, 1,999.
  ExpectPlan(ClockPlan(60000, 0, -1, 30), 1199, 3998, "60 s");
  // 10 s + 0.1 s: share 332 + 75.
  ExpectPlan(ClockPlan(10000, 100, -1, 30), 244, 814, "10+0.1");
  // 1.5 s + 0.1 s: share 49 + 75.
  ExpectPlan(ClockPlan(1500, 100, -1, 30), 74, 248, "1.5+0.1");
  // 3 s for 4 moves: at most 3/8 of 2,970 (not twice the share of 742).
  ExpectPlan(ClockPlan(3000, 0, 4, 30), 445, 1113, "3 s, 4 to go");
  // Moves to go: 40 moves in 60 s.
  ExpectPlan(ClockPlan(60000, 0, 40, 30), 899, 2998, "40 to go");
  // More than 50 to go counts as 50.
  EXPECT_EQ(ClockPlan(60000, 0, 500, 30).softMs, ClockPlan(60000, 0, 50, 30).softMs);
}

TEST(UciTimePlan, ClocksAtTheirEdges) {
  // The last move before the control may take up to four fifths of the clock.
  const SearchDeadlines last = ClockPlan(10000, 0, 1, 30);
  ExpectPlan(last, 5982, 7976, "movestogo 1");
  EXPECT_GT(ClockPlan(10000, 0, 2, 30).hardMs, ClockPlan(10000, 0, 10, 30).hardMs);
  // A huge increment never lets a move take more than a quarter of the clock.
  ExpectPlan(ClockPlan(2000, 100000, -1, 30), 492, 492, "huge increment");
  // A clock below what is kept back, at zero or negative: the first move found.
  for (int clock : {30, 5, 0, -1, -500, INT_MIN}) {
    ExpectPlan(ClockPlan(clock, 0, -1, 30), 0, 0, "tiny clock");
    ExpectPlan(ClockPlan(clock, 50, -1, 30), 0, 0, "tiny clock, small increment");
  }
  // A negative increment counts as none, a huge clock stays in range.
  ExpectPlan(ClockPlan(10000, -100, -1, 30), ClockPlan(10000, 0, -1, 30).softMs, ClockPlan(10000, 0, -1, 30).hardMs,
             "negative increment");
  const SearchDeadlines huge = ClockPlan(INT_MAX, INT_MAX, 1, 0);
  EXPECT_GT(huge.hardMs, 0);
  EXPECT_LE(huge.softMs, huge.hardMs);
  // Every plan keeps its soft limit within its hard one, and the hard one
  // within the usable clock.
  for (int clock : {1, 40, 100, 777, 5000, 123456}) {
    for (int inc : {0, 10, 1000}) {
      for (int togo : {-1, 1, 2, 3, 7, 40}) {
        const SearchDeadlines plan = ClockPlan(clock, inc, togo, 30);
        EXPECT_LE(plan.softMs, plan.hardMs);
        EXPECT_LE(plan.hardMs, std::max(clock - 30, 0) * 4 / 5 + 1) << clock << " " << inc << " " << togo;
      }
    }
  }
}

TEST(UciTimePlan, LessTheTimeGone) {
  ExpectPlan(LessElapsed({300, 900}, 100), 200, 800, "100 ms gone");
  ExpectPlan(LessElapsed({300, 900}, 500), 0, 400, "past the soft limit");
  ExpectPlan(LessElapsed({300, 900}, -7), 300, 900, "a clock read backwards");
  ExpectPlan(LessElapsed({-1, -1}, 100), -1, -1, "no limits stay none");
}

TEST(UciNodeLimit, PollIntervalWithinASixteenthOfTheCount) {
  EXPECT_EQ(NodeLimitMask(1000, 2047), 31);
  EXPECT_EQ(NodeLimitMask(1, 2047), 0);
  EXPECT_EQ(NodeLimitMask(32, 2047), 1);
  EXPECT_EQ(NodeLimitMask(10000000, 2047), 2047);  // never above the calibrated interval
  EXPECT_EQ(NodeLimitMask(10000000, 255), 255);
}

}  // namespace
}  // namespace morvi
