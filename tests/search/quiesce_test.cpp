// The quiescence search: stand pat, mate in check, no stand pat in check,
// the evaluation level by remaining depth, the fifty-move rule, the capture
// list's order, and the last row of the tables.
#include <gtest/gtest.h>

#include "board/move.h"
#include "search/node_common.h"
#include "search/quiesce.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;
using testing::Sq;

class Quiescence : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override {
    testing::ResetSearchState();
    for (int p = 0; p < kMaxPly; ++p) moveStack.listStart[p] = moveStack.listEnd[p] = 0;
  }
  // The node's segment starts where the parent's ended.
  static void OpenSegment(int ply, int at) { moveStack.listStart[ply] = moveStack.listEnd[ply] = at; }
};

constexpr const char* kQuiet = "6k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1";
constexpr const char* kMated = "3R2k1/5ppp/8/8/8/8/8/6K1 b - - 0 1";

TEST_F(Quiescence, QuietPositionStandsPatFailHard) {
  ASSERT_TRUE(LoadForSearch(kQuiet));
  int e = Evaluate(position, EvalLevel::kComplete);
  EXPECT_EQ(Quiesce(1, 1, e + 500, e + 1000), e);  // below alpha: the fresh value all the same
  EXPECT_EQ(Quiesce(1, 1, e - 1000, e + 1), e);
  EXPECT_EQ(Quiesce(1, 1, e - 1000, e), e);  // at beta: beta
  EXPECT_EQ(Quiesce(1, 1, e - 1000, e - 7), e - 7);
}

TEST_F(Quiescence, CheckmateInCheckScoresByPlyEvenAfterFiftyMoves) {
  ASSERT_TRUE(LoadForSearch(kMated));
  EXPECT_EQ(Quiesce(5, 0, -kInfinity, kInfinity), -98304);
  ASSERT_TRUE(LoadForSearch("3R2k1/5ppp/8/8/8/8/8/6K1 b - - 100 80"));
  EXPECT_EQ(Quiesce(5, 0, -kInfinity, kInfinity), -98304);
}

TEST_F(Quiescence, FiftyMovesMakeEveryOtherValueZero) {
  ASSERT_TRUE(LoadForSearch("6k1/5ppp/8/8/8/8/5PPP/3Q2K1 w - - 100 80"));
  EXPECT_EQ(Quiesce(1, 1, -kInfinity, kInfinity), 0);
}

TEST_F(Quiescence, InCheckSearchesEveryMoveWithoutStandPat) {
  // White must block with Re1, and ...Rxe1 mates. Standing pat would have
  // given about an even score; the forced line gives mate at ply 9.
  ASSERT_TRUE(LoadForSearch("7k/8/8/8/8/8/4R1PP/r6K w - - 0 1"));
  ASSERT_TRUE(position.InCheck(Colour::kWhite));
  EXPECT_EQ(Quiesce(7, 2, -kInfinity, kInfinity), -(103424 - 9 * 1024));  // remaining -5: Fast
  EXPECT_EQ(thinker.pvLength[7], 9);
  EXPECT_EQ(MoveTo(thinker.pvTable[7][7].move), Sq("e1"));
  EXPECT_EQ(MoveTo(thinker.pvTable[7][8].move), Sq("e1"));
}

TEST_F(Quiescence, EvaluationLevelFallsWithRemainingDepth) {
  EXPECT_EQ(EvalLevelFor(3), EvalLevel::kComplete);
  EXPECT_EQ(EvalLevelFor(-2), EvalLevel::kComplete);
  EXPECT_EQ(EvalLevelFor(-3), EvalLevel::kMedium);
  EXPECT_EQ(EvalLevelFor(-4), EvalLevel::kMedium);
  EXPECT_EQ(EvalLevelFor(-5), EvalLevel::kFast);

  ASSERT_TRUE(LoadForSearch(kQuiet));  // no captures: stand pat, then the fresh value
  struct Case {
    int ply;
    int depth;
    std::int64_t EvalStats::*level;
  } cases[] = {{4, 2, &EvalStats::complete}, {6, 2, &EvalStats::medium}, {7, 2, &EvalStats::fast}};
  for (const Case& c : cases) {
    evalStats = EvalStats{};
    Quiesce(c.ply, c.depth, -kInfinity, kInfinity);
    EXPECT_EQ(evalStats.*c.level, 2) << "ply " << c.ply;
    EXPECT_EQ(evalStats.complete + evalStats.medium + evalStats.fast, 2);
  }
}

TEST_F(Quiescence, CaptureListPutsEnPassantFirst) {
  // e5 takes the queen on f6 or the pawn on d5 en passant.
  ASSERT_TRUE(LoadForSearch("4k3/8/5q2/3pP3/8/8/8/4K3 w - d6 0 1"));
  MoveEntry list[16];
  int end = 0;
  position.GenerateCaptures(list, &end);
  ASSERT_EQ(end, 2);
  EXPECT_EQ(list[0].move, MakeMoveWord(Sq("e5"), Sq("f6"), 255, 17));
  EXPECT_EQ(list[0].score, 1000040);
  EXPECT_EQ(list[1].move, MakeMoveWord(Sq("e5"), Sq("d6"), 255, 21));
  EXPECT_EQ(list[1].score, 1000060);
  SortMoves(list, 0, end - 1);
  EXPECT_EQ(MoveFlags(list[0].move), 21);
  EXPECT_EQ(MoveTo(list[0].move), 19);
}

TEST_F(Quiescence, PromotionsAndCapturesInScoreOrder) {
  // A Black pawn on e2 promotes on e1 (four pushes) or by taking the rook on
  // d1 (four more); the knight on c3 takes the rook too.
  ASSERT_TRUE(LoadForSearch("4k3/8/8/8/8/2n5/4p3/3R3K b - - 0 1"));
  MoveEntry list[32];
  int end = 0;
  position.GenerateCaptures(list, &end);
  ASSERT_EQ(end, 9);
  SortMoves(list, 0, end - 1);
  const int expected[] = {1000040, 1000040, 1000030, 1000030, 1000029, 1000020, 1000020, 1000010, 1000010};
  for (int i = 0; i < end; ++i) EXPECT_EQ(list[i].score, expected[i]) << "entry " << i;
}

TEST_F(Quiescence, LastRowStandsPatAndWritesNothingBeyondTheTables) {
  // Captures on the board and a side in check: neither goes past row 127.
  ASSERT_TRUE(LoadForSearch("4k3/8/5q2/3pP3/8/8/8/4K3 w - d6 0 1"));
  int e = Evaluate(position, EvalLevel::kFast);
  OpenSegment(127, 40);
  EXPECT_EQ(Quiesce(127, 12, -kInfinity, kInfinity), e);
  EXPECT_EQ(thinker.pvLength[127], 127);
  EXPECT_EQ(thinker.maxPly, 127);
  EXPECT_EQ(moveStack.listEnd[127], 40);
  EXPECT_EQ(Quiesce(127, 12, e + 1, e + 2), e + 1);
  EXPECT_EQ(Quiesce(127, 12, e - 2, e - 1), e - 1);

  ASSERT_TRUE(LoadForSearch(kMated));  // in check: no mate test without moves
  EXPECT_EQ(Quiesce(127, 12, -kInfinity, kInfinity), Evaluate(position, EvalLevel::kFast));
  // One row up the node still searches.
  OpenSegment(126, 40);
  EXPECT_EQ(Quiesce(126, 12, -kInfinity, kInfinity), MatedScore(126));
}

TEST_F(Quiescence, FullMoveStackStandsPat) {
  ASSERT_TRUE(LoadForSearch("7k/8/8/8/8/8/4R1PP/r6K w - - 0 1"));
  int e = Evaluate(position, EvalLevel::kComplete);
  OpenSegment(20, kMoveStackSize - kMaxMoveEntries + 1);
  EXPECT_EQ(Quiesce(20, 20, -kInfinity, kInfinity), e);
  EXPECT_EQ(moveStack.listEnd[20], kMoveStackSize - kMaxMoveEntries + 1);
  OpenSegment(20, kMoveStackSize - 3 * kMaxMoveEntries);  // room for the whole line
  EXPECT_EQ(Quiesce(20, 20, -kInfinity, kInfinity), -(103424 - 22 * 1024));
}

}  // namespace
}  // namespace morvi
