// Time allocation: the allocation's arithmetic and its log line at each edge
// of the time control, and the limit the search is really given, which must
// leave time for every move still due before the next control.
#include "engine/time_allocation.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine_test_support.h"

namespace morvi {
namespace {

using testing::LogTap;

// "level" and "time"/"otim" as the commands store them, at move n.
EngineState Clocks(int moves, int base, int inc, int own, int opp, int n) {
  EngineState s;
  s.movesPerControl = moves, s.baseTime = base, s.increment = inc;
  s.ownTime = own, s.opponentTime = opp, s.moveNumber = n;
  return s;
}

TEST(AllocateTime, ValueAndLogLineAtEveryEdge) {
  const struct {
    const char* name;
    EngineState state;
    int oppTimeAdv, allocation, movesToGo;  // movesToGo 0: no log line
  } rows[] = {
      {"level 40 5 0, move 1", Clocks(40, 30000, 0, 30000, 0, 1), 1, 1153, 39},
      {"level 40 5 0, move 40", Clocks(40, 30000, 0, 30000, 0, 40), 1, 750, 40},
      {"level 40 5 0, move 41", Clocks(40, 30000, 0, 30000, 0, 41), 1, 769, 39},
      {"move 14 still gets half again", Clocks(40, 30000, 0, 30000, 0, 14), 1, 1729, 26},
      {"move 15 does not", Clocks(40, 30000, 0, 30000, 0, 15), 1, 1200, 25},
      {"level 0 5 0, move 1", Clocks(0, 30000, 0, 30000, 0, 1), 1, 750, 60},
      {"level 0 5 0, move 81", Clocks(0, 30000, 0, 30000, 0, 81), 1, 1500, 20},
      {"level 0 5 0, move 100", Clocks(0, 30000, 0, 30000, 0, 100), 1, 1500, 20},
      {"increment before the factor", Clocks(0, 12000, 1200, 12000, 0, 1), 1, 2100, 60},
      {"opponent behind", Clocks(0, 30000, 0, 6000, 2000, 30), 1, 1133, 45},
      {"opponent's clock unknown", Clocks(0, 30000, 0, 6000, 0, 30), 1, 133, 45},
      {"opponent level", Clocks(0, 30000, 0, 6000, 6000, 30), 1, 133, 45},
      {"opponent ahead", Clocks(0, 30000, 0, 6000, 7000, 30), 1, 133, 45},
      {"advantage switched off", Clocks(0, 30000, 0, 6000, 2000, 30), 0, 133, 45},
      {"no time received: the base", Clocks(40, 30000, 0, 0, 0, 41), 1, 769, 39},
      {"no time, no base: 30000", Clocks(0, 0, 0, 0, 0, 41), 1, 750, 40},
      {"a sum past 32 bits is held", Clocks(0, 0, INT_MAX, 6000, 1000, 1), 1, INT_MAX, 60},
      {"negative clock", Clocks(40, 30000, 0, -1, 0, 1), 1, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EngineState s = row.state;
    LogTap log;
    EXPECT_EQ(AllocateTime(s, row.oppTimeAdv), row.allocation);
    std::vector<std::string> lines;
    if (row.movesToGo != 0) {
      lines.push_back("Engine: Allocated time: " + std::to_string(row.allocation) + " - Calc MPS: " +
                      std::to_string(row.movesToGo) + " - MPS/BASE/INC: " + std::to_string(s.movesPerControl) + "/" +
                      std::to_string(s.baseTime) + "/" + std::to_string(s.increment));
    }
    EXPECT_EQ(log.Records(), lines);
  }
}

TEST(AllocateTime, ThirtyThousandMinutesInTenMovesBecomesSixtyMoves) {
  EngineState s = Clocks(10, 180000000, 0, 0, 0, 1);
  LogTap log;
  EXPECT_EQ(AllocateTime(s, 1), 762);  // 30000 / 59 = 508, times 1.5
  EXPECT_EQ(s.movesPerControl, 60);
  EXPECT_EQ(s.baseTime, 30000);
  EXPECT_EQ(log.Records("Engine"),
            (std::vector<std::string>{"Allocated time: 762 - Calc MPS: 59 - MPS/BASE/INC: 60/30000/0"}));
}

TEST(SafeLimit, LeavesTimeForEveryMoveStillDue) {
  const struct {
    const char* name;
    EngineState state;
    int allocation, limit;
  } rows[] = {
      {"move 39 of 40, whole clock allocated", Clocks(40, 30000, 0, 1000, 0, 39), 1000, 898},
      {"move 38: three moves due", Clocks(40, 30000, 0, 1000, 0, 38), 100000, 892},
      {"level 0 1 5 with one second left", Clocks(0, 100, 500, 100, 0, 1), 751, 80},
      {"40 moves due on three seconds", Clocks(40, 30000, 0, 300, 0, 1), 1000, 54},
      {"an increment pays for later moves", Clocks(40, 0, 100, 100, 0, 1), 100000, 80},
      {"tiny clock", Clocks(0, 0, 100, 20, 0, 1), 100000, 7},
      {"clock shorter than the moves due", Clocks(0, 0, 0, 200, 0, 1), 100000, 0},
      {"no time received: the base", Clocks(40, 100, 0, 0, 0, 1), 100000, 0},
      {"no time, no base: 30000", Clocks(0, 0, 0, 0, 0, 1), 100000, 26945},
      {"no overflow on a huge clock", Clocks(0, 0, 0, INT_MAX, 0, 1), INT_MAX, 1952257533},
      {"nothing allocated", Clocks(0, 0, 0, 30000, 0, 1), 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SafeLimit(row.state, row.allocation), row.limit);
  }
}

TEST(LessTimeWaited, TakesOffTheTimeTheCommandWaited) {
  EXPECT_EQ(LessTimeWaited(500, -1, 9000), 500);  // not known: nothing taken off
  EXPECT_EQ(LessTimeWaited(500, 6000, 9000), 200);
  EXPECT_EQ(LessTimeWaited(500, 6000, 6009), 500);  // under a centisecond
  EXPECT_EQ(LessTimeWaited(100, 6000, 9000), 0);
  EXPECT_EQ(LessTimeWaited(500, 9000, 8000), 500);  // a stamp from the future takes nothing
}

}  // namespace
}  // namespace morvi
