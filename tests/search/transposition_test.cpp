// The transposition table on its own: sizes, store and probe, the bucket's
// replacement (an earlier search first, then the shallowest), the deeper
// result kept for the same position, and the mate scores counted from the
// node at the edges of the mate range.
#include "search/transposition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "search/thinker.h"

namespace morvi {
namespace {

constexpr Move kE2E4 = MakeMoveWord(52, 36, 255, 24);
constexpr Move kD2D4 = MakeMoveWord(51, 35, 255, 24);

class Table : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table.Resize(1)); }
  // A key that lands in the same bucket as `base`, n buckets' worth apart.
  std::uint64_t SameBucket(std::uint64_t base, int n) const { return base + (static_cast<std::uint64_t>(n) << 40); }
  TranspositionTable table;
};

TEST_F(Table, SizesInPowersOfTwoAndZeroIsOff) {
  TranspositionTable t;
  EXPECT_FALSE(t.Enabled());
  ASSERT_TRUE(t.Resize(1));
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Megabytes(), 1u);
  ASSERT_TRUE(t.Resize(0));
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(t.Megabytes(), 0u);
}

TEST_F(Table, StoresAndFindsByTheWholeKey) {
  table.Store(0x1234, 5, Bound::kExact, 300, kE2E4);
  const std::optional<TableEntry> entry = table.Probe(0x1234);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->move, kE2E4);
  EXPECT_EQ(entry->score, 300);
  EXPECT_EQ(entry->depth, 5);
  EXPECT_EQ(entry->bound, Bound::kExact);
  EXPECT_FALSE(table.Probe(SameBucket(0x1234, 1)));  // same bucket, other position
  table.Clear();
  EXPECT_FALSE(table.Probe(0x1234));
  EXPECT_EQ(table.counters.probes, 1);  // counted since the clear
}

TEST_F(Table, AFullBucketGivesUpAnEarlierSearchFirstThenTheShallowest) {
  const std::uint64_t base = 0x77;
  for (int i = 0; i < kBucketEntries; ++i) table.Store(SameBucket(base, i), 10 + i, Bound::kLower, 0, kE2E4);
  table.NewSearch();
  table.Store(SameBucket(base, 9), 1, Bound::kUpper, 0, kD2D4);  // replaces the shallowest old one (depth 10)
  EXPECT_FALSE(table.Probe(SameBucket(base, 0)));
  ASSERT_TRUE(table.Probe(SameBucket(base, 9)));
  for (int i = 1; i < kBucketEntries; ++i) table.Store(SameBucket(base, 20 + i), 2, Bound::kUpper, 0, kD2D4);
  // Now all are of this search: the shallowest goes (depth 1).
  table.Store(SameBucket(base, 30), 7, Bound::kExact, 0, kD2D4);
  EXPECT_FALSE(table.Probe(SameBucket(base, 9)));
  EXPECT_TRUE(table.Probe(SameBucket(base, 30)));
}

TEST_F(Table, TheSamePositionKeepsItsDeeperResultUnlessExact) {
  table.Store(0x55, 6, Bound::kLower, 100, kE2E4);
  table.Store(0x55, 3, Bound::kUpper, -50, kNoMove);
  EXPECT_EQ(table.Probe(0x55)->depth, 6);
  table.Store(0x55, 3, Bound::kExact, 20, kNoMove);
  const std::optional<TableEntry> entry = table.Probe(0x55);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->depth, 3);
  EXPECT_EQ(entry->move, kE2E4);  // a result without a move keeps the known one
  table.NewSearch();
  table.Store(0x55, 1, Bound::kUpper, 0, kD2D4);  // an earlier search's entry gives way
  EXPECT_EQ(table.Probe(0x55)->move, kD2D4);
}

// Two threads store and probe the same positions at once: every entry a
// probe finds holds the data stored for that key, never half of another
// write's (a torn entry is a miss).
TEST_F(Table, TwoThreadsShareItWithoutTornEntries) {
  constexpr int kKeys = 64;  // few enough that the threads collide all the time
  const auto keyOf = [](int i) { return 0x9e3779b97f4a7c15ULL * static_cast<std::uint64_t>(i + 1); };
  const auto scoreOf = [](std::uint64_t key, int writer) { return static_cast<int>(key % 50000) + writer; };
  std::atomic<long> wrong{0};
  std::atomic<long> found{0};
  const auto work = [&](int writer) {
    for (int round = 0; round < 20000; ++round) {
      const int i = (round * 7 + writer * 13) % kKeys;
      const std::uint64_t key = keyOf(i);
      table.Store(key, 1 + writer, Bound::kExact, scoreOf(key, writer), writer == 0 ? kE2E4 : kD2D4);
      const std::uint64_t other = keyOf((i + 31) % kKeys);
      if (const std::optional<TableEntry> entry = table.Probe(other)) {
        found.fetch_add(1, std::memory_order_relaxed);
        const int w = entry->depth - 1;  // which thread wrote it
        const bool whole = (w == 0 || w == 1) && entry->score == scoreOf(other, w) &&
                           entry->move == (w == 0 ? kE2E4 : kD2D4) && entry->bound == Bound::kExact;
        if (!whole) wrong.fetch_add(1, std::memory_order_relaxed);
      }
    }
  };
  std::thread a(work, 0);
  std::thread b(work, 1);
  a.join();
  b.join();
  EXPECT_GT(found.load(), 0);
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(Table, KeepsScoresAndDepthsWithinItsRanges) {
  table.Store(0x42, 500, Bound::kLower, 2 * kTableScoreLimit, kE2E4);
  EXPECT_EQ(table.Probe(0x42)->depth, kTableDepthMax);
  EXPECT_EQ(table.Probe(0x42)->score, kTableScoreLimit);
  table.Store(0x43, -7, Bound::kUpper, -kMateBase, kNoMove);
  EXPECT_EQ(table.Probe(0x43)->depth, kTableDepthMin);
  EXPECT_EQ(table.Probe(0x43)->score, -kMateBase);
  EXPECT_EQ(table.Probe(0x43)->move, kNoMove);
}

TEST(MateScores, CountFromTheNodeInTheTable) {
  const int mateIn3Plies = kMateBase - 1024 * 3;  // the root mates at ply 3
  EXPECT_EQ(ScoreToTable(mateIn3Plies, 2), kMateBase - 1024 * 1);  // one ply from the node at ply 2
  EXPECT_EQ(ScoreFromTable(ScoreToTable(mateIn3Plies, 2), 2), mateIn3Plies);
  EXPECT_EQ(ScoreFromTable(ScoreToTable(mateIn3Plies, 2), 0), mateIn3Plies + 2048);  // seen nearer the root
  const int mated = MatedScore(4);
  EXPECT_EQ(ScoreToTable(mated, 3), MatedScore(1));
  EXPECT_EQ(ScoreFromTable(MatedScore(1), 3), mated);
  // Ordinary scores pass unchanged, up to the largest evaluation.
  for (int score : {0, 1024, -1024, 50000, -50000}) {
    EXPECT_EQ(ScoreToTable(score, 7), score);
    EXPECT_EQ(ScoreFromTable(score, 7), score);
  }
}

}  // namespace
}  // namespace morvi
