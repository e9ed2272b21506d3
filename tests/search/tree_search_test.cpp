// The tree search: mate, stalemate and fifty-move scores, the repetition
// rule, the null move and the quiescence probe with their counters, and
// fail-hard returns.
#include <gtest/gtest.h>

#include "base/config.h"
#include "search/node_common.h"
#include "search/think.h"
#include "search/tree_search.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::FindMove;
using testing::LoadForSearch;
using testing::PlayGameMove;
using testing::Sq;

class TreeSearch : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetSearchState(); }
  void TearDown() override { testing::ResetSearchState(); }
};

TEST_F(TreeSearch, MateInOneScores102400AndIsPlayed) {
  ASSERT_TRUE(LoadForSearch("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1"));
  SearchResult result;
  Think(result, 100000, 3);
  EXPECT_EQ(result.move, FindMove(Sq("d1"), Sq("d8")));
  EXPECT_EQ(result.score, 102400);
  EXPECT_EQ(thinker.pvTable[0][0].score, 102400);
}

TEST_F(TreeSearch, MateInTwoIsFound) {
  // 1.Rd8+ Rxd8 2.Rxd8 mate, with either rook first.
  ASSERT_TRUE(LoadForSearch("1r4k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1"));
  SearchResult result;
  Think(result, 100000, 4);
  EXPECT_EQ(MoveTo(result.move), Sq("d8"));
  EXPECT_EQ(result.score, 1024 * 3 * -1 + 103424);  // Black mated at ply 3
  EXPECT_GE(thinker.pvLength[0], 3);
}

TEST_F(TreeSearch, MatedSideScoresByPly) {
  ASSERT_TRUE(LoadForSearch("3R2k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"));
  EXPECT_EQ(Search(3, 5, -kInfinity, kInfinity, true), -100352);
  EXPECT_EQ(Search(0, 5, -kInfinity, kInfinity, true), -103424);
  EXPECT_EQ(moveStack.listEnd[3], moveStack.listStart[3]);  // the segment is released
}

TEST_F(TreeSearch, StalemateAndFiftyMovesScoreZero) {
  ASSERT_TRUE(LoadForSearch("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"));
  EXPECT_EQ(Search(1, 3, -kInfinity, kInfinity, true), 0);
  // Checkmated, but the fifty-move count has run out.
  ASSERT_TRUE(LoadForSearch("3R2k1/5ppp/8/8/8/8/8/6K1 b - - 100 80"));
  EXPECT_EQ(Search(2, 4, -kInfinity, kInfinity, true), 0);
  // Any other value of such a node is 0 too.
  ASSERT_TRUE(LoadForSearch("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 100 80"));
  EXPECT_EQ(Search(0, 2, -kInfinity, kInfinity, true), 0);
}

TEST_F(TreeSearch, MoveIntoARepeatedGamePositionScoresZeroUnsearched) {
  // Black, a queen down, can repeat: after Nc3 Nc6 Nb1 Nb8 twice and Nc3,
  // ...Nc6 recreates the position stored as RepeatList entry 1.
  ASSERT_TRUE(LoadForSearch("1n4k1/8/8/8/8/8/8/QN4K1 w - - 0 1"));
  position.ArchivePush(0);
  const char* moves[][2] = {{"b1", "c3"}, {"b8", "c6"}, {"c3", "b1"}, {"c6", "b8"}, {"b1", "c3"},
                            {"b8", "c6"}, {"c3", "b1"}, {"c6", "b8"}, {"b1", "c3"}};
  for (auto& m : moves) ASSERT_TRUE(PlayGameMove(Sq(m[0]), Sq(m[1])));
  ASSERT_GE(position.RepeatCount, 2);

  Move repeat = FindMove(Sq("b8"), Sq("c6"));
  EXPECT_EQ(Search(0, 3, -kInfinity, kInfinity, false), 0);
  EXPECT_EQ(thinker.pvTable[0][0].move, repeat);
  EXPECT_EQ(thinker.pvLength[0], 1);  // nothing below the repetition was searched

  // Without the repetition list the same search sees the lost queen.
  position.RepeatCount = 0;
  EXPECT_LT(Search(0, 3, -kInfinity, kInfinity, false), -5000);
}

// White a queen up and to move, not in check; the window (-1024, -1023) is
// far below what White has. A node cut by the null move or the probe
// searches no move of its own (movesSearched stays 0).
constexpr const char* kQueenUp = "6k1/5ppp/8/8/8/8/5PPP/3Q2K1 w - - 0 1";
constexpr const char* kQueenUpInCheck = "6k1/5ppp/8/8/8/8/5PPP/3Q1rK1 w - - 0 1";

TEST_F(TreeSearch, NullMoveCutsFarFromTheHorizon) {
  ASSERT_TRUE(LoadForSearch(kQueenUp));
  EXPECT_EQ(Search(1, 4, -1024, -1023, true), -1023);  // remaining 3: null move
  EXPECT_EQ(searchCounters.NullSkips, 1);
  EXPECT_EQ(searchCounters.QSkips, 0);
  EXPECT_EQ(searchCounters.movesSearched, 0);
}

TEST_F(TreeSearch, NoNullMoveWhenForbiddenOrAtTheRoot) {
  ASSERT_TRUE(LoadForSearch(kQueenUp));
  Search(1, 4, -1024, -1023, false);
  Search(0, 3, -1024, -1023, true);  // the root: ply not above NullDepthStart
  EXPECT_EQ(searchCounters.NullSkips, 0);
  EXPECT_GT(searchCounters.movesSearched, 0);
}

TEST_F(TreeSearch, NoPruningInCheck) {
  ASSERT_TRUE(LoadForSearch(kQueenUpInCheck));
  ASSERT_TRUE(position.InCheck(Colour::kWhite));
  // Far from the horizon (null move) and near it (probe): the moves are searched.
  EXPECT_EQ(Search(1, 4, -1024, -1023, true), -1023);  // a move's cutoff, clamped by the children
  EXPECT_EQ(searchCounters.NullSkips, 0);
  int searched = searchCounters.movesSearched;
  EXPECT_GT(searched, 0);
  Search(3, 5, -1024, -1023, true);
  EXPECT_GT(searchCounters.movesSearched, searched);
}

TEST_F(TreeSearch, QuiescenceProbeNearTheHorizon) {
  ASSERT_TRUE(LoadForSearch(kQueenUp));
  // Remaining depth 2 < NullDepthEnd: the probe, even with the null move forbidden.
  EXPECT_EQ(Search(3, 5, -1024, -1023, false), -1023);
  EXPECT_EQ(searchCounters.QSkips, 1);
  EXPECT_EQ(searchCounters.NullSkips, 0);
  EXPECT_EQ(searchCounters.movesSearched, 0);
}

TEST_F(TreeSearch, QuiescenceProbeMustClearTheMargin) {
  // No capture anywhere: the probe's value is the static evaluation e.
  ASSERT_TRUE(LoadForSearch("6k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1"));
  int e = Evaluate(position, EvalLevel::kComplete);
  int beta = e - config.QSkipMargin + 1;  // e < beta + QSkipMargin: no cut
  Search(3, 5, beta - 1, beta, false);
  EXPECT_GT(searchCounters.movesSearched, 0);
  ResetSearchCounters();
  beta = e - config.QSkipMargin;  // e reaches beta + QSkipMargin: cut
  EXPECT_EQ(Search(3, 5, beta - 1, beta, false), beta);
  EXPECT_EQ(searchCounters.QSkips, 1);
  EXPECT_EQ(searchCounters.movesSearched, 0);
}

TEST_F(TreeSearch, FailHardReturnsTheWindowEdge) {
  ASSERT_TRUE(LoadForSearch(kQueenUp));
  // Nothing reaches alpha = 200000: the node returns alpha itself.
  EXPECT_EQ(Search(0, 2, 200000, 200001, true), 200000);
  EXPECT_EQ(thinker.pvLength[0], 0);
  // Everything beats beta: a cutoff returns the move's score, at least beta.
  EXPECT_GE(Search(0, 2, -200001, -200000, true), -200000);
  EXPECT_EQ(thinker.pvLength[0], 1);
}

TEST_F(TreeSearch, StopUnwindsWithZeroAndRecordsNothing) {
  ASSERT_TRUE(LoadForSearch(kQueenUp));
  thinker.stop = true;
  EXPECT_EQ(Search(0, 3, -kInfinity, kInfinity, true), 0);
  EXPECT_EQ(thinker.pvLength[0], 0);
  EXPECT_EQ(searchCounters.nodes, 1);
}

TEST_F(TreeSearch, PreviousLineMoveGoesFirstAtItsPly) {
  const Move a = MakeMoveWord(52, 36, 255, 24), b = MakeMoveWord(51, 35, 255, 24);
  MoveEntry* e = moveStack.entries;
  moveStack.listStart[2] = 100;
  moveStack.listEnd[2] = 103;
  e[100] = {b, 5};
  e[101] = {a, 5};
  e[102] = {a, 5};
  thinker.prevPv[2] = {a, 0};
  thinker.prevPv[3] = {b, 0};  // left over past the end of the line
  thinker.prevPvLength = 3;
  thinker.followPv = true;
  FollowPreviousLine(thinker, 2);
  EXPECT_EQ(e[100].score, 5);
  EXPECT_EQ(e[101].score, kPvMoveScore);  // the first equal entry only
  EXPECT_EQ(e[102].score, 5);
  OrderSegment(2);
  EXPECT_EQ(e[100].move, a);
  EXPECT_EQ(moveStack.listStart[3], 103);
  EXPECT_EQ(moveStack.listEnd[3], 103);

  // Just past the line's end nothing is put first, and the flag stays.
  moveStack.listStart[3] = 103;
  moveStack.listEnd[3] = 104;
  e[103] = {b, 5};
  FollowPreviousLine(thinker, 3);
  EXPECT_EQ(e[103].score, 5);
  EXPECT_TRUE(thinker.followPv);
  FollowPreviousLine(thinker, 4);  // beyond it the flag drops
  EXPECT_FALSE(thinker.followPv);
  for (int p = 2; p <= 3; ++p) moveStack.listStart[p] = moveStack.listEnd[p] = 0;
}

TEST_F(TreeSearch, RootBookkeeping) {
  ASSERT_TRUE(LoadForSearch("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
  Search(0, 2, -kInfinity, kInfinity, true);
  EXPECT_EQ(thinker.rootMoveCount, 20);
  EXPECT_EQ(thinker.rootMovesLeft, 0);
  EXPECT_EQ(searchCounters.movesSearched >= 20, true);
  EXPECT_GE(thinker.maxPly, 2);
  // History: every alpha raise adds 100 - ply.
  int rootBest = MoveFrom(thinker.pvTable[0][0].move) * 64 + MoveTo(thinker.pvTable[0][0].move);
  EXPECT_GE(position.History[rootBest / 64][rootBest % 64], 100);
}

}  // namespace
}  // namespace morvi
