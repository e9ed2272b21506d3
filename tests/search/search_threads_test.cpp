// The full search on several threads and with several lines: workers that
// share nothing give each its own result side by side, a search with helper
// threads counts their nodes and answers with a legal move, and a search for
// three lines gives three distinct legal lines, best first.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>
#include <set>
#include <thread>

#include "board/fen.h"
#include "search/full_search.h"
#include "search/search_threads.h"
#include "search/transposition.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;

constexpr const char* kMiddlegame = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8";
constexpr const char* kEnding = "8/5pk1/6p1/8/R7/6P1/r4PK1/8 w - - 0 1";

// A worker with everything of its own, as a helper thread has.
struct OwnWorker {
  explicit OwnWorker(const char* fen) {
    pos.NewGame();
    EXPECT_TRUE(LoadFen(pos, fen));
    RefreshBeforeSearch(pos);
    pos.GameStage = DecideGameStage(pos);
    ClearLines(thinker);
    worker.main = false;
  }
  Position pos;
  Thinker thinker;
  SearchCounters counters{};
  SearchWorker worker{pos, thinker, counters};
};

struct Outcome {
  int score;
  Move move;
  long long nodes;
  bool operator==(const Outcome&) const = default;
};

Outcome Deepen(OwnWorker& own) {
  const int score = DeepenFull(own.worker, 1, 6);
  return {score, own.thinker.pvTable[0][0].move, own.counters.nodes};
}

class SearchThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override {
    searchThreads.SetCount(1);
    ASSERT_TRUE(transpositionTable.Resize(0));
    testing::ResetSearchState();
  }
};

TEST_F(SearchThreadsTest, WorkersThatShareNothingSearchSideBySideAsAlone) {
  ASSERT_TRUE(transpositionTable.Resize(0));
  auto aloneA = std::make_unique<OwnWorker>(kMiddlegame);
  auto aloneB = std::make_unique<OwnWorker>(kEnding);
  const Outcome a = Deepen(*aloneA);
  const Outcome b = Deepen(*aloneB);
  auto sideA = std::make_unique<OwnWorker>(kMiddlegame);
  auto sideB = std::make_unique<OwnWorker>(kEnding);
  Outcome a2{}, b2{};
  std::thread first([&] { a2 = Deepen(*sideA); });
  std::thread second([&] { b2 = Deepen(*sideB); });
  first.join();
  second.join();
  EXPECT_EQ(a2, a);
  EXPECT_EQ(b2, b);
  EXPECT_TRUE(IsMove(a.move));
  EXPECT_TRUE(IsMove(b.move));
}

TEST_F(SearchThreadsTest, HelpersSearchTooAndTheirNodesCount) {
  ASSERT_TRUE(transpositionTable.Resize(1));
  searchThreads.SetCount(3);
  ASSERT_EQ(searchThreads.Count(), 3);
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  ResetThinker();
  thinker.kind = SearchKind::kFull;
  SearchResult result;
  Think(result, 1000000, 7);
  EXPECT_TRUE(IsMove(result.move));
  EXPECT_GT(searchThreads.Nodes(), 0);
  EXPECT_EQ(SearchedNodes(), searchCounters.nodes + searchThreads.Nodes());
  // Idle again: a second search starts them afresh.
  const std::int64_t helperNodes = searchThreads.Nodes();
  Think(result, 1000000, 3);
  EXPECT_LT(searchThreads.Nodes(), helperNodes);
  // Helpers added after searches have run wait for the next one.
  searchThreads.SetCount(4);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(searchThreads.Nodes(), 0);
}

TEST_F(SearchThreadsTest, SeveralLinesAreDistinctLegalAndBestFirst) {
  ASSERT_TRUE(transpositionTable.Resize(1));
  ASSERT_TRUE(LoadForSearch(kMiddlegame));
  ResetThinker();
  thinker.kind = SearchKind::kFull;
  thinker.multiPv = 3;
  SearchResult result;
  Think(result, 1000000, 6);
  ASSERT_EQ(thinker.lineCount, 3);
  std::set<Move> firsts;
  for (int k = 0; k < 3; ++k) {
    const SearchLine& line = thinker.lines[k];
    ASSERT_GT(line.length, 0);
    firsts.insert(line.moves[0].move);
    if (k > 0) {
      EXPECT_GE(thinker.lines[k - 1].score, line.score);
    }
    // The line plays from the root: each move generated there, and legal.
    auto pos = std::make_unique<Position>(position);
    for (int j = 0; j < line.length; ++j) {
      std::vector<MoveEntry> list(kMoveStackSize);
      int end = 0;
      pos->GenerateMoves(list.data(), &end);
      const Move move = line.moves[j].move;
      ASSERT_TRUE(std::any_of(list.begin(), list.begin() + end, [move](const MoveEntry& e) { return e.move == move; }))
          << k << " " << j;
      UndoRecord undo;
      ASSERT_EQ(pos->MakeMove(move, undo), 1) << k << " " << j;
    }
  }
  EXPECT_EQ(firsts.size(), 3u);
  EXPECT_EQ(result.move, thinker.lines[0].moves[0].move);  // the answer is the best line's
  thinker.multiPv = 1;
}

}  // namespace
}  // namespace morvi
