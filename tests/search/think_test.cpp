// Iterative deepening: the aspiration outcomes and their records, the
// branch-factor arithmetic and the forecast stop, the depth limit, the late
// ending without null moves, the root line after a stop, and post mode.
#include <gtest/gtest.h>

#include <string>

#include "base/config.h"
#include "search/think.h"
#include "search/transposition.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;
using testing::LogCapture;
using testing::ScriptedClock;
using testing::scriptedHost;

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int kLongBudget = 1000000;

class ThinkTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  static void Load(const char* fen) {
    ASSERT_TRUE(LoadForSearch(fen));
    ResetThinker();
  }
  static std::vector<std::string> WithPrefix(const std::vector<std::string>& records, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& r : records) {
      if (r.rfind(prefix, 0) == 0) found.push_back(r);
    }
    return found;
  }
};

TEST_F(ThinkTest, AspirationOutcomesAroundLastScore200) {
  EXPECT_EQ(JudgeAspiration(1224, 200, 1024), AspirationOutcome::kFailedHigh);
  EXPECT_EQ(JudgeAspiration(1223, 200, 1024), AspirationOutcome::kNotFailed);
  EXPECT_EQ(JudgeAspiration(-823, 200, 1024), AspirationOutcome::kNotFailed);
  EXPECT_EQ(JudgeAspiration(-824, 200, 1024), AspirationOutcome::kFailedLow);
}

TEST_F(ThinkTest, AspirationRecordsForLastScore200) {
  struct Case {
    const char* fen;
    std::vector<std::string> records;  // the last number of a re-search is the result
  } cases[] = {
      {kStart, {"AspWatch: Not failed Previous= -824/200/1224, New= "}},
      {"6k1/5pp1/7p/8/8/7P/5PP1/3Q2K1 w - - 0 1",
       {"AspWatch: Failed high Previous= -824/200/1224, New= 1224",
        "AspWatch: Re-search Previous= 1224/200/1000000, New= "}},
      {"3q2k1/5pp1/7p/8/8/7P/5PP1/6K1 w - - 0 1",
       {"AspWatch: Failed low Previous= -824/200/1224, New= -824",
        "AspWatch: Re-search Previous= -1000000/200/-824, New= "}},
  };
  for (const Case& c : cases) {
    Load(c.fen);
    thinker.lastScore = 200;
    SearchResult result;
    LogCapture log;
    Think(result, kLongBudget, 1);
    std::vector<std::string> records = WithPrefix(log.Records(), "AspWatch");
    ASSERT_EQ(records.size(), c.records.size()) << c.fen;
    for (size_t i = 0; i + 1 < records.size(); ++i) EXPECT_EQ(records[i], c.records[i]);
    EXPECT_EQ(records.back(), c.records.back() + std::to_string(result.score));
    EXPECT_EQ(thinker.lastScore, result.score);
  }
}

TEST_F(ThinkTest, AWindowOfZeroStillEndsWithAMove) {
  // Every value is 0 here: the window (0, 0) fails high on 0 and the
  // re-search above 0 scores no move, so the full window has to find one.
  const Configuration saved = config;
  config.AspirationWindow = 0;
  config.NormalizeS = 31;
  Load(kStart);
  thinker.lastScore = 0;
  SearchResult result;
  LogCapture log;
  Think(result, kLongBudget, 2);
  config = saved;
  EXPECT_TRUE(HasMove(result));
  std::vector<std::string> full = WithPrefix(log.Records(), "AspWatch: Full window");
  EXPECT_EQ(full.size(), 1u);  // the first iteration: later ones keep its move
  Load("k7/8/1Q6/8/8/8/8/7K b - - 0 1");  // stalemate: no move to find, no extra search
  config.AspirationWindow = 0;
  LogCapture quiet;
  Think(result, kLongBudget, 2);
  config = saved;
  EXPECT_FALSE(HasMove(result));
  EXPECT_TRUE(WithPrefix(quiet.Records(), "AspWatch: Full window").empty());
}

TEST_F(ThinkTest, BranchFactorArithmetic) {
  EXPECT_EQ(NextBranchFactor(50, 10, 12), 8);  // ratio 5
  EXPECT_TRUE(ForecastStops(8, 50, 300));      // 400 > 300
  EXPECT_FALSE(ForecastStops(8, 37, 300));     // 296
  EXPECT_FALSE(ForecastStops(6, 50, 300));     // exactly the budget
  EXPECT_EQ(NextBranchFactor(0, 10, 12), 12);  // under 10 ms
  EXPECT_EQ(NextBranchFactor(5, 0, 12), 12);   // no earlier iteration
  EXPECT_EQ(NextBranchFactor(1000, 10, 12), 12);  // ratio capped at 12
  EXPECT_EQ(NextBranchFactor(1000, 10, 4), 8);
  EXPECT_EQ(NextBranchFactor(19, 10, 4), 2);   // (1 + 4) / 2
}

TEST_F(ThinkTest, ForecastEndsTheSearchAfterTheSecondIteration) {
  Load(kStart);
  // Reads: the start, then each iteration's end and its log line.
  ScriptedClock::Set({0, 100, 100, 500, 500});
  thinker.clock = ScriptedClock::Read;
  SearchResult result;
  LogCapture log;
  Think(result, 300, kDepthLimit);
  EXPECT_EQ(thinker.nominalDepth, 2);
  EXPECT_EQ(thinker.branchFactor, 8);
  std::vector<std::string> think = WithPrefix(log.Records(), "Think: ");
  EXPECT_EQ(WithPrefix(think, "Think: Ply"),
            (std::vector<std::string>{
                "Think: Ply 1  How long: 300, Time used: 10 Hash count 0  Hash Table 1 Branch factor 12",
                "Think: Ply 2  How long: 300, Time used: 50 Hash count 0  Hash Table 1 Branch factor 8"}));
  EXPECT_EQ(WithPrefix(think, "Think: Time used"), (std::vector<std::string>{"Think: Time used: 50"}));
  std::vector<std::string> last = WithPrefix(think, "Think: Actual Max depth: ");
  ASSERT_EQ(last.size(), 1u);
  EXPECT_NE(last[0].find(",   Nominal depth: 2"), std::string::npos);
}

TEST_F(ThinkTest, FastFirstIterationTakesNoRatio) {
  Load(kStart);
  // Iterations end at 0, 50 and 300 centiseconds.
  ScriptedClock::Set({0, 5, 5, 500, 500, 3000, 3000});
  thinker.clock = ScriptedClock::Read;
  SearchResult result;
  LogCapture log;
  Think(result, 700, kDepthLimit);
  // Iteration 2 has no earlier time to compare with: 12 x 50 = 600 is within
  // the budget. Iteration 3: ratio 6, factor 9, 9 x 300 > 700.
  std::vector<std::string> plies = WithPrefix(log.Records(), "Think: Ply");
  ASSERT_EQ(plies.size(), 3u);
  EXPECT_NE(plies[0].find("Time used: 0 Hash count 0  Hash Table 1 Branch factor 12"), std::string::npos);
  EXPECT_NE(plies[1].find("Time used: 50 Hash count 0  Hash Table 1 Branch factor 12"), std::string::npos);
  EXPECT_NE(plies[2].find("Time used: 300 Hash count 0  Hash Table 1 Branch factor 9"), std::string::npos);
  EXPECT_EQ(thinker.nominalDepth, 3);
  EXPECT_EQ(thinker.lastIterationTime, 50);
}

TEST_F(ThinkTest, CompletedDepthLimitLeavesNominalDepthOneBeyond) {
  Load("7k/8/8/8/8/8/8/K7 w - - 0 1");
  SearchResult result;
  LogCapture log;
  Think(result, kLongBudget, kDepthLimit);
  EXPECT_EQ(thinker.nominalDepth, 13);
  std::vector<std::string> last = WithPrefix(log.Records(), "Think: Actual Max depth: ");
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0], "Think: Actual Max depth: " + std::to_string(thinker.maxPly) + ",   Nominal depth: 13");
  EXPECT_GE(thinker.maxPly, 12);
}

TEST_F(ThinkTest, LateEndingSearchesWithoutNullMoves) {
  Load("8/8/3k4/8/2q5/8/4R3/4K3 w - - 0 1");  // Black's pieces: a queen only
  SearchResult result;
  LogCapture log;
  Think(result, kLongBudget, 5);
  EXPECT_EQ(position.GameStage, 3);
  EXPECT_EQ(searchCounters.NullSkips, 0);
  EXPECT_EQ(WithPrefix(log.Records(), "Think: GameStage").front(), "Think: GameStage: 3");
  // The same depth in the opening cuts with the null move.
  Load(kStart);
  Think(result, kLongBudget, 5);
  EXPECT_EQ(position.GameStage, 0);
  EXPECT_GT(searchCounters.NullSkips, 0);
}

TEST_F(ThinkTest, ResetsAndLogsBeforeSearching) {
  Load(kStart);
  position.History[52][36] = 999;
  SearchResult result;
  LogCapture log;
  Think(result, kLongBudget, 1);
  std::vector<std::string> think = WithPrefix(log.Records(), "Think: ");
  ASSERT_GE(think.size(), 2u);
  EXPECT_EQ(think[0], "Think: HashCleaned: 0");  // the log's old figure: there is no table
  EXPECT_EQ(think[1], "Think: GameStage: 0");
  EXPECT_LT(position.History[52][36], 999);
  EXPECT_EQ(thinker.prevPvLength, thinker.pvLength[0]);
  EXPECT_EQ(result.move, thinker.pvTable[0][0].move);
}

TEST_F(ThinkTest, AnAbortBeforeAnyRootMoveLeavesNoMove) {
  Load(kStart);
  scriptedHost.answers = {PollAnswer::kAbort};
  thinker.heartbeatMask = 0;  // the heartbeat runs at every node
  SearchResult result;
  Think(result, kLongBudget, 5);
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(thinker.aborted);
  EXPECT_FALSE(HasMove(result));
  EXPECT_EQ(result.score, 0);
  EXPECT_EQ(thinker.nominalDepth, 2);  // the stopped iteration is counted
  EXPECT_EQ(thinker.pvLength[0], 0);
}

TEST_F(ThinkTest, AWrapUpAtAGivenNodeKeepsTheLastCompletedLine) {
  Load(kStart);
  thinker.heartbeatMask = 0;
  SearchResult full;
  Think(full, kLongBudget, 3);
  const long long nodesToDepth3 = searchCounters.nodes;
  const Move depth3Move = full.move;

  // Stopped just after depth 3 ended: the move of depth 3 is played.
  Load(kStart);
  ResetSearchCounters();
  scriptedHost = testing::ScriptedHost{};
  scriptedHost.answerFromNode = nodesToDepth3 + 2;
  Think(full, kLongBudget, 6);
  EXPECT_TRUE(thinker.stop);
  EXPECT_FALSE(thinker.aborted);
  EXPECT_EQ(thinker.nominalDepth, 5);  // the stopped iteration 4 is counted
  EXPECT_EQ(full.move, depth3Move);
  EXPECT_EQ(thinker.rootLineDepth, 3);
  EXPECT_EQ(scriptedHost.firstLatePoll, nodesToDepth3 + 2);  // a poll at every node
}

TEST_F(ThinkTest, RootLineAfterAStop) {
  Thinker& t = thinker;
  const Move previous = MakeMoveWord(52, 36, 255, 24), current = MakeMoveWord(51, 35, 255, 24);
  auto setUp = [&](int length, int count, int left, int prevLength) {
    ClearLines(t);
    t.pvTable[0][0] = {current, 10};
    t.pvLength[0] = length;
    t.rootMoveCount = count;
    t.rootMovesLeft = left;
    t.prevPv[0] = {previous, 20};
    t.prevPv[1] = {previous, 20};
    t.prevPvLength = prevLength;
    t.prevPvDepth = 6;
    t.rootLineDepth = 7;
  };
  setUp(1, 20, 10, 2);  // half the root moves still to come: keep
  ChooseRootLine(t);
  EXPECT_EQ(t.pvTable[0][0].move, current);
  EXPECT_EQ(t.pvLength[0], 1);
  setUp(1, 21, 10, 2);  // 21 / 2 = 10: keep
  ChooseRootLine(t);
  EXPECT_EQ(t.pvTable[0][0].move, current);
  EXPECT_EQ(t.rootLineDepth, 7);  // found by the stopped iteration
  setUp(1, 20, 9, 2);  // fewer left: the last completed line, with its depth
  ChooseRootLine(t);
  EXPECT_EQ(t.rootLineDepth, 6);
  EXPECT_EQ(t.pvTable[0][0].move, previous);
  EXPECT_EQ(t.pvTable[0][0].score, 20);
  EXPECT_EQ(t.pvLength[0], 2);
  setUp(0, 20, 19, 2);  // no move scored: the last completed line
  ChooseRootLine(t);
  EXPECT_EQ(t.pvLength[0], 2);
  setUp(0, 20, 19, -1);  // none completed either: unchanged
  ChooseRootLine(t);
  EXPECT_EQ(t.pvLength[0], 0);
  EXPECT_EQ(t.pvTable[0][0].move, current);
}

// A clock that moves a millisecond at every look: with the heartbeat at
// every node, time runs with the nodes searched.
struct TickClock {
  static inline TimeMs now = 0;
  static TimeMs Read() { return now++; }
};

TEST_F(ThinkTest, PlannedSearchBeginsNoIterationPastItsSoftDeadline) {
  Load(kStart);
  thinker.heartbeatMask = 0;
  thinker.clock = TickClock::Read;
  TickClock::now = 1000;
  SearchResult result;
  Think(result, kLongBudget, kDepthLimit, SearchDeadlines{3000, -1});
  EXPECT_FALSE(thinker.stop);  // it ended between iterations
  EXPECT_TRUE(HasMove(result));
  // The last iteration ended past the soft deadline, the one before it not.
  EXPECT_GE(TickClock::now - thinker.startClock, 3000);
  EXPECT_LT(thinker.lastIterationTime * 10, 3000);
  EXPECT_EQ(thinker.rootLineDepth, thinker.nominalDepth);
}

TEST_F(ThinkTest, PlannedSearchStopsAtItsHardDeadline) {
  Load(kStart);
  thinker.heartbeatMask = 0;
  thinker.clock = TickClock::Read;
  TickClock::now = -20;  // the clock passes 0 on the way
  SearchResult result;
  Think(result, kLongBudget, kDepthLimit, SearchDeadlines{-1, 5000});
  EXPECT_TRUE(thinker.stop);
  EXPECT_TRUE(HasMove(result));
  const TimeMs searched = TickClock::now - thinker.startClock;
  EXPECT_GE(searched, 5000);
  EXPECT_LT(searched, 5300);  // at the first node past it, and the unwinding
  // Without deadlines the same search runs on its budget alone.
  ResetThinker();
  TickClock::now = 0;
  Think(result, kLongBudget, 3);
  EXPECT_FALSE(thinker.stop);
  EXPECT_FALSE(thinker.softDeadline.set || thinker.hardDeadline.set);
}

TEST_F(ThinkTest, RestrictedRootSearchesOnlyItsMoves) {
  Load(kStart);
  const Move a3 = testing::FindMove(testing::Sq("a2"), testing::Sq("a3")),
             h4 = testing::FindMove(testing::Sq("h2"), testing::Sq("h4"));
  thinker.rootFilter[0] = a3;
  thinker.rootFilter[1] = h4;
  thinker.rootFilterCount = 2;
  SearchResult result;
  Think(result, kLongBudget, 4);
  EXPECT_TRUE(result.move == a3 || result.move == h4);
  EXPECT_EQ(thinker.rootMoveCount, 2);
  thinker.rootFilterCount = 1;
  Think(result, kLongBudget, 3);
  EXPECT_EQ(result.move, a3);
  EXPECT_EQ(thinker.prevPv[0].move, a3);
}

TEST_F(ThinkTest, ACallerThatWantsLinesGetsOnePerIteration) {
  Load(kStart);
  scriptedHost.wantsLines = true;
  SearchResult result;
  Think(result, kLongBudget, 3);
  const std::vector<std::string>& lines = scriptedHost.lines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind(" 1 ", 0), 0u);
  EXPECT_EQ(lines[1].rfind(" 2 ", 0), 0u);
  EXPECT_EQ(lines[2].rfind(" 3 ", 0), 0u);
}

TEST_F(ThinkTest, AnAbortedSearchReportsNoMoreLines) {
  Load(kStart);
  scriptedHost.wantsLines = true;
  thinker.heartbeatMask = 0;
  scriptedHost.answerFromNode = 200;
  scriptedHost.late = PollAnswer::kAbort;
  SearchResult result;
  Think(result, kLongBudget, 6);
  EXPECT_TRUE(thinker.aborted);
  // Its lines would arrive after the command that aborted it: none once the
  // caller said abort, not even the one at the end of the search.
  ASSERT_FALSE(scriptedHost.lines.empty());
  EXPECT_GT(scriptedHost.firstLatePoll, 0);
  EXPECT_LT(scriptedHost.lastLinePoll, scriptedHost.firstLatePoll);
}

}  // namespace
}  // namespace morvi

namespace morvi {
namespace {

// A table entry can name a move the position does not have (another
// position with the same key, or a stale word): it only orders the moves the
// generator made, so the move played is always the position's own.
TEST(ThinkWithTable, AMoveTheTableNamesIsPlayedOnlyIfThePositionHasIt) {
  testing::ResetSearchState();
  ASSERT_TRUE(testing::LoadForSearch("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
  ResetThinker();
  ASSERT_TRUE(transpositionTable.Resize(1));
  const Move blackMove = MakeMoveWord(12, 28, 255, 24);  // e7e5: not White's
  transpositionTable.Store(position.Key, 20, Bound::kExact, 5000, blackMove);
  SearchResult result;
  Think(result, 1000000, 4);
  ASSERT_TRUE(HasMove(result));
  EXPECT_NE(result.move, blackMove);
  UndoRecord undo;
  EXPECT_EQ(position.MakeMove(result.move, undo), 1);
  position.UnmakeMove(result.move, undo);
  ASSERT_TRUE(transpositionTable.Resize(0));
  testing::ResetSearchState();
}

}  // namespace
}  // namespace morvi
