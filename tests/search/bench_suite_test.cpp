// The bench: its positions are sound, and a shortened bench gives the same
// node signature twice over, in either order of the positions.
#include <gtest/gtest.h>

#include <vector>

#include "board/fen.h"
#include "search/bench_suite.h"
#include "search_test_support.h"

namespace morvi {
namespace {

class BenchSuite : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  // Node counts of every position searched three plies less deep.
  static std::vector<long long> ShortBench(bool reversed) {
    std::span<const BenchPosition> all = BenchPositions();
    std::vector<long long> nodes(all.size());
    for (size_t k = 0; k < all.size(); ++k) {
      size_t i = reversed ? all.size() - 1 - k : k;
      BenchOutcome outcome;
      EXPECT_TRUE(RunBenchPosition(all[i], all[i].depth - 3, outcome));
      nodes[i] = outcome.nodes;
    }
    return nodes;
  }
};

TEST_F(BenchSuite, PositionsAreLegalAndPlayable) {
  std::span<const BenchPosition> all = BenchPositions();
  EXPECT_GE(all.size(), 20u);
  for (const BenchPosition& entry : all) {
    ASSERT_TRUE(LoadFen(position, entry.fen)) << entry.fen;
    EXPECT_FALSE(position.InCheck(Opponent(position.SideToMove))) << entry.fen;
    MoveEntry list[kMoveStackSize];
    int end = 0, legal = 0;
    position.GenerateMoves(list, &end);
    for (int i = 0; i < end; ++i) {
      UndoRecord undo;
      if (position.MakeMove(list[i].move, undo)) {
        ++legal;
        position.UnmakeMove(list[i].move, undo);
      }
    }
    EXPECT_GT(legal, 0) << entry.fen;
    EXPECT_GE(entry.depth, 4) << entry.fen;
  }
}

TEST_F(BenchSuite, SignatureIsStableAndOrderFree) {
  std::vector<long long> first = ShortBench(false);
  std::vector<long long> again = ShortBench(false);
  std::vector<long long> reversed = ShortBench(true);
  EXPECT_EQ(first, again);
  EXPECT_EQ(first, reversed);
  for (long long n : first) EXPECT_GT(n, 0);
}

}  // namespace
}  // namespace morvi
