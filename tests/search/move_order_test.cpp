// The full search's move ordering: the order of the bands (table move,
// winning captures, killers, counter move, history, losing captures,
// under-promotions), the bookkeeping after a cut (killers by ply, the
// counter move, bonus and malus within the history's bounds), what a new
// search and a new game keep, and the reduction table's edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "search/move_order.h"
#include "search/reductions.h"
#include "search_test_support.h"

namespace morvi {
namespace {

using testing::LoadForSearch;
using testing::Sq;

// The generated moves of the position on the board, scored.
std::vector<MoveEntry> Scored(const MoveOrdering& order, Move tableMove, int ply, PreviousMove previous) {
  std::vector<MoveEntry> list(kMoveStackSize);
  int end = 0;
  position.GenerateMoves(list.data(), &end);
  list.resize(end);
  ScoreMoves(position, list.data(), list.data() + end, tableMove, order, ply, previous);
  return list;
}

int ScoreOf(const std::vector<MoveEntry>& list, int from, int to, int promotion = kNoPromotion) {
  for (const MoveEntry& e : list) {
    if (MoveFrom(e.move) == from && MoveTo(e.move) == to && MovePromotion(e.move) == promotion) return e.score;
  }
  ADD_FAILURE() << "no move " << from << "-" << to;
  return 0;
}

TEST(MoveOrder, TheBandsComeInTheirOrder) {
  // White: Qd1 can take a defended pawn on d7 (losing), Nc3 takes a free
  // pawn on a4 (winning), the pawn on g7 promotes, quiet moves besides.
  ASSERT_TRUE(LoadForSearch("4k3/3p2P1/2p5/8/p7/2N5/8/3QK3 w - - 0 1"));
  auto order = std::make_unique<MoveOrdering>();
  order->Clear();
  const Move killer = testing::FindMove(Sq("e1"), Sq("f2"));
  const Move counter = testing::FindMove(Sq("d1"), Sq("b3"));
  const Move table = testing::FindMove(Sq("c3"), Sq("e4"));
  order->killers[3][0] = killer;
  const Move previous = MakeMoveWord(Sq("a7"), Sq("a8"), kNoPromotion, 0);  // the rook came to a8
  order->counterMoves[0][kRook][Sq("a8")] = counter;
  order->history[0][Sq("d1")][Sq("h5")] = 500;
  const auto list = Scored(*order, table, 3, PreviousMove{previous, kRook});
  const int scores[] = {
      ScoreOf(list, Sq("c3"), Sq("e4")),          // the table's move
      ScoreOf(list, Sq("g7"), Sq("g8"), kQueen),  // a promotion
      ScoreOf(list, Sq("c3"), Sq("a4")),          // a free pawn
      ScoreOf(list, Sq("e1"), Sq("f2")),          // the killer
      ScoreOf(list, Sq("d1"), Sq("b3")),          // the counter move
      ScoreOf(list, Sq("d1"), Sq("h5")),          // good history
      ScoreOf(list, Sq("d1"), Sq("g4")),          // no history
      ScoreOf(list, Sq("d1"), Sq("d7")),          // the queen for a pawn
      ScoreOf(list, Sq("g7"), Sq("g8"), kKnight), // an under-promotion
  };
  EXPECT_TRUE(std::is_sorted(std::begin(scores), std::end(scores), std::greater<int>()));
  EXPECT_EQ(ScoreOf(list, Sq("d1"), Sq("h5")), 500);
  EXPECT_EQ(scores[7], kBadCaptureScore + 1024 - 9216);  // the exchange's loss orders the losing captures
}

TEST(MoveOrder, CutsMakeKillersCounterMovesAndHistory) {
  auto order = std::make_unique<MoveOrdering>();
  order->Clear();
  const Move a = MakeMoveWord(Sq("g1"), Sq("f3"), kNoPromotion, 0);
  const Move b = MakeMoveWord(Sq("b1"), Sq("c3"), kNoPromotion, 0);
  const Move c = MakeMoveWord(Sq("e2"), Sq("e4"), kNoPromotion, kPawnMove | kDoubleStep);
  const PreviousMove previous{MakeMoveWord(Sq("e7"), Sq("e5"), kNoPromotion, kPawnMove), kPawn};

  const Move tried[] = {b, c};
  NoteQuietCutoff(*order, Colour::kWhite, 5, 4, a, tried, 2, previous);
  EXPECT_EQ(order->killers[5][0], a);
  EXPECT_EQ(order->killers[5][1], kNoMove);
  EXPECT_EQ(order->killers[4][0], kNoMove);  // another ply is not touched
  EXPECT_EQ(order->counterMoves[0][kPawn][Sq("e5")], a);
  EXPECT_EQ(order->history[0][Sq("g1")][Sq("f3")], HistoryBonus(4));
  EXPECT_EQ(order->history[0][Sq("b1")][Sq("c3")], -HistoryBonus(4));
  EXPECT_EQ(order->history[1][Sq("g1")][Sq("f3")], 0);  // the other side's history

  // The same killer again is not kept twice; a new one pushes the old down.
  NoteQuietCutoff(*order, Colour::kWhite, 5, 4, a, nullptr, 0, {});
  EXPECT_EQ(order->killers[5][1], kNoMove);
  NoteQuietCutoff(*order, Colour::kWhite, 5, 4, b, nullptr, 0, {});
  EXPECT_EQ(order->killers[5][0], b);
  EXPECT_EQ(order->killers[5][1], a);

  // However often a move cuts, its history stays within its bounds.
  for (int i = 0; i < 1000; ++i) NoteQuietCutoff(*order, Colour::kBlack, 2, 30, c, &b, 1, {});
  EXPECT_LE(order->history[1][Sq("e2")][Sq("e4")], kHistoryLimit);
  EXPECT_GE(order->history[1][Sq("b1")][Sq("c3")], -kHistoryLimit);
  EXPECT_GT(order->history[1][Sq("e2")][Sq("e4")], kHistoryLimit / 2);

  // A new search forgets the killers and halves the history; a new game
  // forgets everything.
  const int before = order->history[1][Sq("e2")][Sq("e4")];
  order->NewSearch();
  EXPECT_EQ(order->killers[5][0], kNoMove);
  EXPECT_EQ(order->history[1][Sq("e2")][Sq("e4")], before / 2);
  EXPECT_EQ(order->counterMoves[0][kPawn][Sq("e5")], a);
  order->Clear();
  EXPECT_EQ(order->history[1][Sq("e2")][Sq("e4")], 0);
  EXPECT_EQ(order->counterMoves[0][kPawn][Sq("e5")], kNoMove);
}

TEST(Reductions, TheTablesEdges) {
  for (int n = 0; n < 100; ++n) EXPECT_EQ(LateMoveReduction(1, n), 0) << n;  // depth 1 never
  for (int d = 0; d < 100; ++d) EXPECT_EQ(LateMoveReduction(d, 1), 0) << d;  // the first move never
  EXPECT_EQ(LateMoveReduction(2, 2), 0);
  EXPECT_EQ(LateMoveReduction(3, 3), 1);
  EXPECT_EQ(LateMoveReduction(8, 8), 2);
  EXPECT_EQ(LateMoveReduction(63, 63), 8);
  EXPECT_EQ(LateMoveReduction(200, 300), LateMoveReduction(63, 63));  // past the table: its last row
  for (int d = 2; d < 70; ++d) {
    for (int n = 2; n < 70; ++n) {
      EXPECT_LE(LateMoveReduction(d, n), LateMoveReduction(d + 1, n));
      EXPECT_LE(LateMoveReduction(d, n), LateMoveReduction(d, n + 1));
    }
  }
}

}  // namespace
}  // namespace morvi
