// The full search on its own: mate-distance pruning, the repetition rule
// (an earlier position of the line or of the game, the oldest included, is
// a draw; nothing before a capture or pawn move or across a null move
// counts), and true mate distances.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board/zobrist.h"
#include "search/full_search.h"
#include "search/transposition.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;
using testing::Sq;

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class FullSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetSearchState();
    worker = std::make_unique<SearchWorker>(position, thinker, searchCounters);
  }
  void TearDown() override { testing::ResetSearchState(); }

  // Plays the moves below the root as the search makes them: each key and
  // move on the worker's stack, a null move for "--".
  void PlayLine(const std::vector<const char*>& moves) {
    for (const char* text : moves) {
      SearchWorker& w = *worker;
      w.stack[ply].key = RepetitionKey(position);
      UndoRecord undo;
      if (std::string(text) == "--") {
        position.MakeNullMove(undo);
        w.stack[ply].move = kNoMove;
      } else {
        const Move move = testing::FindMove(Sq(text), Sq(text + 2));
        ASSERT_TRUE(IsMove(move)) << text;
        ASSERT_EQ(position.MakeMove(move, undo), 1) << text;
        w.stack[ply].move = move;
      }
      ++ply;
    }
  }

  // The game's positions before the root, as the search takes them.
  void TakeGame() {
    SearchWorker& w = *worker;
    w.gameKeyCount = position.ArchiveCount - 1;
    for (int k = 0; k < w.gameKeyCount; ++k) w.gameKeys[k] = position.ArchiveKeys[k];
  }

  std::unique_ptr<SearchWorker> worker;
  int ply = 0;
};

TEST_F(FullSearchTest, NoLineMatesSoonerThanTheNextPly) {
  ASSERT_TRUE(LoadForSearch(kStart));
  // At ply 3 nothing scores above a mate at ply 4: a window above that is
  // answered at once.
  const int bestPossible = -MatedScore(4);
  EXPECT_EQ(FullSearch(*worker, 3, 5, bestPossible, bestPossible + 10), bestPossible);
  EXPECT_EQ(searchCounters.nodes, 1);
  // Nor below being mated at ply 3.
  EXPECT_EQ(FullSearch(*worker, 3, 5, MatedScore(3) - 10, MatedScore(3)), MatedScore(3));
}

TEST_F(FullSearchTest, MatesAreScoredByTheirTrueDistance) {
  ASSERT_TRUE(transpositionTable.Resize(1));
  const struct {
    const char* fen;
    int plies;
  } mates[] = {
      {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 1},
      {"1r4k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1", 3},
      {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 5},
  };
  for (const auto& mate : mates) {
    ASSERT_TRUE(LoadForSearch(mate.fen));
    ResetThinker();
    SearchResult result;
    ThinkFull(result, 1000000, 8, {});
    EXPECT_EQ(result.score, -MatedScore(mate.plies)) << mate.fen;
    EXPECT_GE(thinker.pvLength[0], mate.plies) << mate.fen;
  }
  ASSERT_TRUE(transpositionTable.Resize(0));
}

TEST_F(FullSearchTest, AnEarlierPositionOfTheLineIsADraw) {
  ASSERT_TRUE(LoadForSearch(kStart));
  PlayLine({"g1f3", "g8f6", "f3g1"});
  EXPECT_FALSE(IsRepeated(*worker, ply));
  PlayLine({"f6g8"});  // the root again: twice is enough
  EXPECT_TRUE(IsRepeated(*worker, ply));
}

TEST_F(FullSearchTest, EveryEarlierPositionOfTheGameCountsTheOldestToo) {
  ASSERT_TRUE(LoadForSearch(kStart));
  position.ArchiveRestart();
  for (const char* move : {"g1f3", "g8f6", "f3g1"}) {
    ASSERT_TRUE(testing::PlayGameMove(Sq(move), Sq(move + 2))) << move;
  }
  TakeGame();
  ASSERT_EQ(worker->gameKeyCount, 3);
  PlayLine({"f6g8"});  // the start position: the game's oldest entry
  EXPECT_TRUE(IsRepeated(*worker, ply));
}

TEST_F(FullSearchTest, ANullMoveBreaksTheLineAPawnMoveDoesNot) {
  // The start position with a fifty-move count that reaches far back.
  ASSERT_TRUE(LoadForSearch("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 20 11"));
  PlayLine({"g1f3", "--", "f3g1", "--"});
  EXPECT_EQ(RepetitionKey(position), worker->stack[0].key);  // the root's pieces and side again ...
  EXPECT_FALSE(IsRepeated(*worker, ply));         // ... but only by passing
  ply = 0;
  ASSERT_TRUE(LoadForSearch(kStart));
  PlayLine({"e2e4", "g8f6", "g1f3", "f6g8", "f3g1"});
  EXPECT_TRUE(IsRepeated(*worker, ply));  // the position after the pawn move stands again
}

}  // namespace
}  // namespace morvi
