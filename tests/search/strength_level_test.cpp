// Strength levels: the plan at the edges of the scale and in between, the
// weighed choice among lines, and levelled searches on the board: legal
// moves, no piece left hanging at 1500, the same game from the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/random.h"
#include "board/see.h"
#include "search/full_search.h"
#include "search/strength_level.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(StrengthLevelPlan, TheScaleEndsAndEveryLevelBetween) {
  EXPECT_FALSE(PlanForLevel(kHighestElo).limited);  // the highest level is the full search
  EXPECT_FALSE(PlanForLevel(kHighestElo + 500).limited);
  const LevelPlan lowest = PlanForLevel(kLowestElo);
  ASSERT_TRUE(lowest.limited);
  EXPECT_EQ(lowest.nodes, 1400);
  EXPECT_EQ(lowest.lines, 5);
  const LevelPlan below = PlanForLevel(0);  // below the scale: its lowest level
  EXPECT_EQ(below.nodes, lowest.nodes);
  EXPECT_EQ(below.maxLoss, lowest.maxLoss);

  // Up the scale the search gets more nodes and the choice gets stricter;
  // from 1500 on it never gives up as much as a minor piece.
  LevelPlan last = lowest;
  for (int elo = kLowestElo + 1; elo < kHighestElo; ++elo) {
    const LevelPlan plan = PlanForLevel(elo);
    ASSERT_TRUE(plan.limited) << elo;
    EXPECT_GE(plan.nodes, last.nodes) << elo;
    EXPECT_LE(plan.maxLoss, last.maxLoss) << elo;
    EXPECT_LE(plan.temperature, last.temperature) << elo;
    EXPECT_GE(plan.lines, 2) << elo;
    EXPECT_GT(plan.thinkPercent, 0) << elo;
    if (elo >= 1500) {
      EXPECT_LE(plan.maxLoss, kSeeValue[1] / 2) << elo;
    }
    last = plan;
  }
}

SearchLine LineScored(int score) {
  SearchLine line;
  line.score = score;
  line.length = 1;
  return line;
}

TEST(StrengthLevelChoice, WeighsTheLinesAndNeverTakesOneThatLosesTooMuch) {
  const SearchLine lines[] = {LineScored(500), LineScored(300), LineScored(-200), LineScored(-4000)};
  LevelPlan plan;
  plan.limited = true;
  plan.temperature = 400;
  plan.maxLoss = 600;  // the last two lose more
  const struct {
    int random15;
    int chosen;
  } rows[] = {{0, 0}, {kRandomMax / 3, 0}, {kRandomMax, 1}};
  for (const auto& row : rows) EXPECT_EQ(ChooseLevelLine(lines, 4, plan, row.random15), row.chosen) << row.random15;

  int counts[4] = {};
  for (int r = 0; r <= kRandomMax; r += 7) ++counts[ChooseLevelLine(lines, 4, plan, r)];
  EXPECT_GT(counts[0], counts[1]);  // the better the line, the likelier
  EXPECT_GT(counts[1], 0);
  EXPECT_EQ(counts[2] + counts[3], 0);

  plan.maxLoss = 1000000;  // now every line may be chosen, the worst the least
  for (int& c : counts) c = 0;
  plan.temperature = 4000;
  for (int r = 0; r <= kRandomMax; r += 7) ++counts[ChooseLevelLine(lines, 4, plan, r)];
  EXPECT_GT(counts[2], counts[3]);
  EXPECT_GT(counts[3], 0);

  // No level, or a single line: always the best.
  EXPECT_EQ(ChooseLevelLine(lines, 4, LevelPlan{}, kRandomMax), 0);
  EXPECT_EQ(ChooseLevelLine(lines, 1, plan, kRandomMax), 0);
}

// Seeds far apart (the generator's first values after small seeds are all
// small).
unsigned Spread(unsigned seed) { return seed * 2654435761u; }

class LevelledSearch : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }

  // The move a search at `elo` plays from the position on the board.
  Move PlayedAt(int elo) {
    ResetThinker();
    ResetSearchCounters();
    thinker.levelElo = elo;
    SearchResult result;
    ThinkFull(result, 1000000, kFullDepthLimit, {});
    thinker.levelElo = 0;
    return result.move;
  }
};

// After the move, the most the opponent wins by any capture on the board.
int MostWonByACapture() {
  MoveEntry list[kMoveStackSize];
  int end = 0;
  position.GenerateMoves(list, &end);
  int most = 0;
  for (int i = 0; i < end; ++i) {
    UndoRecord undo;
    if (position.MakeMove(list[i].move, undo) == 0) continue;
    position.UnmakeMove(list[i].move, undo);
    if ((MoveFlags(list[i].move) & kCapture) != 0) most = std::max(most, StaticExchange(position, list[i].move));
  }
  return most;
}

TEST_F(LevelledSearch, AtFifteenHundredNoPieceIsLeftHanging) {
  // A piece attacked by a pawn (or a queen by a knight): most moves leave it
  // to be taken.
  const char* fens[] = {
      "rnbqkbnr/ppp2ppp/8/3pp3/2B1P3/8/PPPP1PPP/RNBQK1NR w KQkq - 0 3",
      "rnbqkb1r/pppp1ppp/5n2/4P3/8/8/PPP2PPP/RNBQKBNR b KQkq - 0 3",
      "rnb1kbnr/pppp1ppp/8/4p3/4P2q/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 3",
  };
  for (const char* fen : fens) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
      ASSERT_TRUE(LoadForSearch(fen));
      SeedRandom(Spread(seed));
      const Move move = PlayedAt(1500);
      UndoRecord undo;
      ASSERT_EQ(position.MakeMove(move, undo), 1) << fen << " seed " << seed;
      EXPECT_LT(MostWonByACapture(), 2 * 1024) << fen << " seed " << seed << " move " << move;
    }
  }
}

// Eight plies from the start at a level, each move played on the board.
std::vector<Move> LevelledGame(unsigned seed, int elo) {
  testing::ResetSearchState();
  ClearFullSearchMemory();
  EXPECT_TRUE(LoadForSearch(kStart));
  SeedRandom(Spread(seed));
  std::vector<Move> moves;
  for (int ply = 0; ply < 8; ++ply) {
    ResetThinker();
    ResetSearchCounters();
    thinker.levelElo = elo;
    SearchResult result;
    ThinkFull(result, 1000000, kFullDepthLimit, {});
    UndoRecord undo;
    EXPECT_EQ(position.MakeMove(result.move, undo), 1) << "ply " << ply;  // legal
    position.ArchivePush(result.move);
    RefreshBeforeSearch(position);
    moves.push_back(result.move);
  }
  thinker.levelElo = 0;
  return moves;
}

TEST_F(LevelledSearch, TheSameSeedPlaysTheSameGame) {
  EXPECT_EQ(LevelledGame(5, kLowestElo), LevelledGame(5, kLowestElo));
  EXPECT_EQ(LevelledGame(9, 1200), LevelledGame(9, 1200));
  // ... and the seeds do change the games at the lowest level.
  const std::vector<Move> first = LevelledGame(1, kLowestElo);
  bool differs = false;
  for (unsigned seed = 2; seed <= 6 && !differs; ++seed) differs = LevelledGame(seed, kLowestElo) != first;
  EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace morvi
