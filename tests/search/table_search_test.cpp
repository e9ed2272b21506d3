// The search with a transposition table: nothing allocated while it runs,
// mate scores and moves as without the table (also from entries a previous
// search left), whole lines from a search that finds the table full, and the
// horizon node answered from its entry, and entries of one game stage kept
// from a search at another.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "base/config.h"
#include "search/quiesce.h"
#include "search/think.h"
#include "search/transposition.h"
#include "search_test_support.h"

// Every allocation of this test program is counted, so that a test can say
// that a stretch of code made none.
namespace {
std::atomic<long> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace morvi {
namespace {

using testing::LoadForSearch;

constexpr int kLongBudget = 1000000;
constexpr const char* kMateInTwo = "1r4k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1";
constexpr const char* kMiddlegame = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8";

class TableSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetSearchState();
    ASSERT_TRUE(transpositionTable.Resize(1));
  }
  void TearDown() override {
    ASSERT_TRUE(transpositionTable.Resize(0));
    testing::ResetSearchState();
  }
  static SearchResult SearchTo(int depth) {
    ClearSearchState();
    testing::SetSearchTestDefaults(&testing::scriptedHost);
    SearchResult result;
    Think(result, kLongBudget, depth);
    return result;
  }
};

TEST_F(TableSearch, ASearchAllocatesNothingAndKeepsTheTablesMemory) {
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  const void* memory = transpositionTable.Memory();
  const long before = allocationCount.load();
  const SearchResult result = SearchTo(5);
  EXPECT_EQ(allocationCount.load(), before);
  EXPECT_EQ(transpositionTable.Memory(), memory);
  EXPECT_TRUE(HasMove(result));
  EXPECT_GT(transpositionTable.counters.stores, 0);
  EXPECT_GT(transpositionTable.counters.hits, 0);
}

TEST_F(TableSearch, MatesScoreAsWithoutTheTableAlsoFromAnEarlierSearchsEntries) {
  ASSERT_TRUE(transpositionTable.Resize(0));
  ASSERT_TRUE(LoadForSearch(kMateInTwo));
  const SearchResult plain = SearchTo(5);
  ASSERT_TRUE(transpositionTable.Resize(1));
  for (int round = 0; round < 2; ++round) {  // the second finds the first's entries
    ASSERT_TRUE(LoadForSearch(kMateInTwo));
    const SearchResult withTable = SearchTo(5);
    EXPECT_EQ(withTable.score, plain.score) << "round " << round;
    EXPECT_EQ(MoveTo(withTable.move), MoveTo(plain.move)) << "round " << round;
    EXPECT_GE(thinker.pvLength[0], 3) << "round " << round;
  }
  EXPECT_GT(transpositionTable.counters.cutoffs, 0);
}

TEST_F(TableSearch, ASearchOverAFullTableKeepsTheWholeLine) {
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  SearchTo(5);
  const int firstLength = thinker.pvLength[0];
  ASSERT_GE(firstLength, 5);
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  const SearchResult again = SearchTo(5);
  EXPECT_GT(transpositionTable.counters.cutoffs, 0);
  EXPECT_GE(thinker.pvLength[0], 5);  // a reply to ponder on, and the rest of the line
  EXPECT_EQ(again.move, thinker.pvTable[0][0].move);
}

TEST_F(TableSearch, TheHorizonNodeIsAnsweredFromItsEntry) {
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  const int value = Quiesce(3, 3, -kInfinity, kInfinity);  // the horizon: ply equals depth
  EXPECT_EQ(transpositionTable.counters.stores, 1);
  const std::int64_t nodes = searchCounters.nodes;
  EXPECT_EQ(Quiesce(3, 3, value + 1, value + 100), value);  // fails low from the entry
  EXPECT_EQ(searchCounters.nodes, nodes + 1);
  EXPECT_EQ(transpositionTable.counters.cutoffs, 1);
  // Deeper in the quiescence search the table is not used.
  Quiesce(4, 3, -kInfinity, kInfinity);
  EXPECT_EQ(transpositionTable.counters.stores, 1);
}

// A trade into a late ending changes the stage, which swaps the evaluation's
// king and pawn tables and switches null moves off: the next search must not
// be answered by entries scored under the stage before. It runs node for node
// as on an empty table; at the same stage the entries do serve it.
TEST_F(TableSearch, ASearchAtAnotherStageTakesNothingFromTheStageBefore) {
  const Configuration saved = config;
  const auto searchAtStage = [](int lateEnding, bool emptyTable) {
    if (emptyTable) transpositionTable.Clear();
    config.LateEndingCount = lateEnding;
    EXPECT_TRUE(LoadForSearch(kMiddlegame));
    transpositionTable.counters = TableCounters{};
    SearchTo(3);
    return std::pair(searchCounters.nodes, transpositionTable.counters.cutoffs);
  };
  config.EarlyEndingCount = 0;
  constexpr int kMiddleGame = 0, kLateEnding = 1000 * 1024;  // the same position judged either way
  const auto alone = searchAtStage(kLateEnding, true);
  searchAtStage(kMiddleGame, true);
  EXPECT_EQ(searchAtStage(kLateEnding, false), alone);
  const auto middleAlone = searchAtStage(kMiddleGame, true);
  EXPECT_NE(searchAtStage(kMiddleGame, false), middleAlone);
  config = saved;
}

}  // namespace
}  // namespace morvi
