// The position's key: equal to a fresh computation after every make and
// unmake of a walk through the move tree (captures, castling, en passant,
// promotions, null moves), after take-backs, FEN loads and edits; and
// different for positions that differ only in the side to move, the
// castling rights or the en-passant square.
#include "board/zobrist.h"

#include <gtest/gtest.h>

#include "board/fen.h"
#include "board_test_support.h"

namespace morvi::test {
namespace {

using enum Colour;

// Every move to the depth, the key checked after each make and unmake.
void Walk(Position& pos, int depth, int& checked) {
  MoveEntry list[kMaxMovesPerPosition];
  int end = 0;
  pos.GenerateMoves(list, &end);
  for (int i = 0; i < end; ++i) {
    UndoRecord undo;
    const std::uint64_t before = pos.Key;
    if (pos.MakeMove(list[i].move, undo) == 0) {
      ASSERT_EQ(pos.Key, before);  // a refused move changes nothing
      continue;
    }
    ASSERT_EQ(pos.Key, ComputeKey(pos)) << MoveText(list[i].move);
    ++checked;
    if (depth > 1) Walk(pos, depth - 1, checked);
    pos.UnmakeMove(list[i].move, undo);
    ASSERT_EQ(pos.Key, before);
  }
  UndoRecord nullUndo;
  pos.MakeNullMove(nullUndo);
  ASSERT_EQ(pos.Key, ComputeKey(pos));
  pos.UnmakeNullMove(nullUndo);
}

TEST(Zobrist, MakeAndUnmakeKeepTheKey) {
  for (const char* fen : {
           "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",  // castling, captures
           "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",                            // en passant
           "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",                               // promotions
           "rnbqkbnr/pp1ppppp/8/2pP4/8/8/PPP1PPPP/RNBQKBNR w KQkq c6 0 2",          // an en-passant square set
       }) {
    auto pos = FenPosition(fen);
    ASSERT_EQ(pos->Key, ComputeKey(*pos)) << fen;
    int checked = 0;
    Walk(*pos, 3, checked);
    EXPECT_GT(checked, 100) << fen;
    EXPECT_TRUE(pos->AuditBoard()) << fen;
  }
}

TEST(Zobrist, TakeBacksAndEditsComputeItAfresh) {
  auto pos = NewPosition();
  const std::uint64_t start = pos->Key;
  for (const char* text : {"e2e4", "e7e5", "g1f3"}) {
    UndoRecord undo;
    const Move move = FindMove(*pos, text);
    ASSERT_EQ(pos->MakeMove(move, undo), 1);
    pos->ArchivePush(move);
  }
  ASSERT_TRUE(pos->TakeBack());
  ASSERT_TRUE(pos->TakeBack());
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_EQ(pos->Key, start);
  ASSERT_TRUE(pos->EditClearSquare(1));
  EXPECT_EQ(pos->Key, ComputeKey(*pos));
  ASSERT_TRUE(pos->EditPlacePiece(kQueen, 1, kBlack));
  EXPECT_EQ(pos->Key, ComputeKey(*pos));
  pos->EditCastleRights(0);
  ASSERT_TRUE(pos->EditEnPassant(40));
  EXPECT_EQ(pos->Key, ComputeKey(*pos));
  EXPECT_TRUE(pos->AuditBoard());
  pos->SideToMove = kBlack;  // set by hand without a new key: the audit sees it
  EXPECT_FALSE(pos->AuditBoard());
}

TEST(Zobrist, SideCastlingAndEnPassantAreInTheKey) {
  const auto key = [](const char* fen) { return FenPosition(fen)->Key; };
  const char* base = "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1";
  EXPECT_NE(key(base), key("r3k2r/8/8/3pP3/8/8/8/R3K2R b KQkq d6 0 1"));
  EXPECT_NE(key(base), key("r3k2r/8/8/3pP3/8/8/8/R3K2R w Kkq d6 0 1"));
  EXPECT_NE(key(base), key("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq - 0 1"));
  // The same position reached by two move orders has one key.
  auto a = NewPosition();
  auto b = NewPosition();
  for (const char* text : {"g1f3", "g8f6", "b1c3"}) {
    UndoRecord undo;
    ASSERT_EQ(a->MakeMove(FindMove(*a, text), undo), 1);
  }
  for (const char* text : {"b1c3", "g8f6", "g1f3"}) {
    UndoRecord undo;
    ASSERT_EQ(b->MakeMove(FindMove(*b, text), undo), 1);
  }
  EXPECT_EQ(a->Key, b->Key);
}

}  // namespace
}  // namespace morvi::test
