// Move generation order, flags and ordering scores; the capture generator;
// the sort; the coordinate text; the move stack's overflow guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board_test_support.h"

namespace morvi::test {
namespace {

std::vector<MoveEntry> Generate(const Position& p, bool capturesOnly = false) {
  static MoveEntry list[kMoveStackSize];
  int end = 0;
  if (capturesOnly) {
    p.GenerateCaptures(list, &end);
  } else {
    p.GenerateMoves(list, &end);
  }
  return std::vector<MoveEntry>(list, list + end);
}

std::vector<std::string> Texts(const std::vector<MoveEntry>& moves) {
  std::vector<std::string> texts;
  for (const MoveEntry& e : moves) texts.push_back(MoveText(e.move));
  return texts;
}

TEST(Generation, InitialPositionOrderFlagsAndHistoryScores) {
  auto pos = NewPosition();
  pos->History[52][36] = 77;
  const auto moves = Generate(*pos);
  const std::vector<std::string> expected = {
      "b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4",
      "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"};
  EXPECT_EQ(Texts(moves), expected);
  EXPECT_EQ(MoveFlags(moves[0].move), 0);
  EXPECT_EQ(MoveFlags(moves[4].move), kPawnMove);
  EXPECT_EQ(MoveFlags(moves[5].move), kPawnMove | kDoubleStep);
  EXPECT_EQ(MovePromotion(moves[4].move), kNoPromotion);
  EXPECT_EQ(moves[13].score, 77);  // e2e4 takes its history entry
  EXPECT_EQ(moves[12].score, 0);
}

TEST(Generation, PromotionWithAndWithoutCapture) {
  auto pos = FenPosition("r6k/1P6/8/8/8/8/8/K7 w - - 0 1");
  const auto moves = Generate(*pos);
  ASSERT_GE(moves.size(), 8u);
  const int pieces[4] = {kQueen, kRook, kBishop, kKnight};
  for (int i = 0; i < 8; ++i) {
    const Move m = moves[3 + i].move;  // after the king's three moves
    EXPECT_EQ(MoveFrom(m), 9);
    EXPECT_EQ(MoveTo(m), i < 4 ? 0 : 1);
    EXPECT_EQ(MoveFlags(m), i < 4 ? 49 : 48);
    EXPECT_EQ(MovePromotion(m), pieces[i % 4]);
    EXPECT_EQ(moves[3 + i].score, 1000000 + 10 * pieces[i % 4]);
  }
}

TEST(Generation, CaptureScoresAndEnPassantAboveQueenPromotion) {
  // White: pawn e5 may take d5 en passant; pawn b7 promotes; knight takes queen.
  auto pos = FenPosition("7k/1P6/8/3pP3/8/2q5/4N3/K7 w - d6 0 1");
  const auto moves = Generate(*pos);
  int ep = -1, queenPromotion = -1, knightTakesQueen = -1;
  for (const MoveEntry& e : moves) {
    if (MoveFlags(e.move) == 21) ep = e.score;
    if (MoveFlags(e.move) == 48 && MovePromotion(e.move) == kQueen) queenPromotion = e.score;
    if (MoveText(e.move) == "e2c3") knightTakesQueen = e.score;
  }
  EXPECT_EQ(ep, 1000060);
  EXPECT_EQ(queenPromotion, 1000040);
  EXPECT_EQ(knightTakesQueen, 1000000 + 10 * kQueen - kKnight);
  EXPECT_EQ(MoveText(moves.back().move), "e5d6");  // en passant comes last
}

TEST(Generation, EnPassantOnFileAComesFromFileBOnly) {
  auto pos = FenPosition("4k3/8/8/pP6/8/8/8/4K3 w - a6 0 2");
  std::vector<std::string> eps;
  for (const MoveEntry& e : Generate(*pos)) {
    if (MoveFlags(e.move) & kEnPassant) eps.push_back(MoveText(e.move));
  }
  EXPECT_EQ(eps, std::vector<std::string>{"b5a6"});
}

TEST(Generation, CastlingListedEvenInCheckAndRefusedByMakeMove) {
  auto pos = FenPosition("r3k2r/8/8/8/8/8/4q3/R3K2R w KQkq - 0 1");
  ASSERT_TRUE(pos->InCheck(Colour::kWhite));
  const Move kingSide = FindMove(*pos, "e1g1");
  const Move queenSide = FindMove(*pos, "e1c1");
  ASSERT_NE(kingSide, 0u);
  ASSERT_NE(queenSide, 0u);
  EXPECT_EQ(MoveFlags(kingSide), kCastle);
  const Snapshot before(*pos);
  UndoRecord undo;
  EXPECT_EQ(pos->MakeMove(kingSide, undo), 0);
  EXPECT_EQ(pos->MakeMove(queenSide, undo), 0);
  EXPECT_TRUE(Snapshot(*pos) == before);
}

TEST(Generation, CapturesOnlyListsCapturesAndPromotions) {
  auto pos = FenPosition("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");
  const auto all = Generate(*pos);
  const auto captures = Generate(*pos, true);
  std::vector<Move> expected;
  for (const MoveEntry& e : all) {
    if (MoveFlags(e.move) & (kCapture | kPromotion)) expected.push_back(e.move);
  }
  std::vector<Move> got;
  for (const MoveEntry& e : captures) got.push_back(e.move);
  EXPECT_EQ(got, expected);  // same moves, same order
  EXPECT_EQ(captures.size(), 8u);

  auto promo = FenPosition("4k3/1P6/8/8/8/8/6p1/4K2R b K - 0 1");
  const auto blackCaptures = Generate(*promo, true);
  // g2xh1 as four capture-promotions, then g2g1 as four step-promotions.
  ASSERT_EQ(blackCaptures.size(), 8u);
  EXPECT_EQ(MoveFlags(blackCaptures[0].move), 49);
  EXPECT_EQ(MoveFlags(blackCaptures[4].move), 48);
}

TEST(Generation, SortHighestFirst) {
  MoveEntry list[7];
  const int scores[7] = {5, 1000060, -3, 1000040, 5, 0, 999};
  for (int i = 0; i < 7; ++i) list[i] = {static_cast<Move>(i), scores[i]};
  SortMoves(list, 0, 6);
  for (int i = 0; i < 6; ++i) EXPECT_GE(list[i].score, list[i + 1].score);
  EXPECT_EQ(list[0].move, 1u);
  EXPECT_EQ(list[1].move, 3u);
  MoveEntry one[1] = {{42, 7}};
  SortMoves(one, 0, 0);
  EXPECT_EQ(one[0].move, 42u);
  // Only the range first..last is touched.
  MoveEntry part[4] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}};
  SortMoves(part, 1, 2);
  EXPECT_EQ(part[0].score, 1);
  EXPECT_EQ(part[1].score, 3);
  EXPECT_EQ(part[2].score, 2);
  EXPECT_EQ(part[3].score, 4);
}

TEST(Generation, MoveText) {
  EXPECT_EQ(MoveText(MakeMoveWord(52, 36, kNoPromotion, 24)), "e2e4");
  EXPECT_EQ(MoveText(MakeMoveWord(12, 4, kQueen, 48)), "e7e8");
  EXPECT_EQ(MoveText(MakeMoveWord(0, 63, kNoPromotion, 0)), "a8h1");
  char text[5];
  MoveTextTo(MakeMoveWord(63, 0, kNoPromotion, 0), text);
  EXPECT_STREQ(text, "h1a8");
}

TEST(Generation, FullMoveStackDropsMovesInsteadOfOverrunning) {
  auto pos = NewPosition();
  static MoveEntry list[kMoveStackSize + 1];
  list[kMoveStackSize] = {0xdeadbeef, 12345};
  int end = kMoveStackSize - 5;
  pos->GenerateMoves(list, &end);
  EXPECT_EQ(end, kMoveStackSize);
  EXPECT_EQ(list[kMoveStackSize].move, 0xdeadbeefu);
  EXPECT_EQ(MoveText(list[kMoveStackSize - 1].move), "a2a3");
  end = kMoveStackSize;
  pos->GenerateCaptures(list, &end);
  EXPECT_EQ(end, kMoveStackSize);
  EXPECT_TRUE(MoveListFits(kMoveStackSize - kMaxMovesPerPosition));
  EXPECT_FALSE(MoveListFits(kMoveStackSize - kMaxMovesPerPosition + 1));
  EXPECT_TRUE(PlyInRange(127));
  EXPECT_FALSE(PlyInRange(128));
}

}  // namespace
}  // namespace morvi::test
