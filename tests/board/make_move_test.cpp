// Make and unmake: every field restored, castling legality, en passant with
// the captured entry marked 64, promotions, the null move.
#include <gtest/gtest.h>

#include "board_test_support.h"

namespace morvi::test {
namespace {

TEST(MakeMove, DoubleStepAndUnmakeRestoreEveryField) {
  auto pos = NewPosition();
  pos->FiftyCount = 7;
  const Snapshot before(*pos);
  const Move move = FindMove(*pos, "e2e4");
  UndoRecord undo;
  ASSERT_EQ(pos->MakeMove(move, undo), 1);
  EXPECT_EQ(pos->EpSquare, 44);
  EXPECT_EQ(pos->FiftyCount, 0);
  EXPECT_EQ(pos->SideToMove, Colour::kBlack);
  EXPECT_EQ(pos->PieceAr[12], 36);
  EXPECT_EQ(pos->PieceArIndex[36], 12);
  EXPECT_EQ(pos->PieceArIndex[52], -1);
  EXPECT_EQ(undo.move, move);
  EXPECT_EQ(undo.capturedPiece, kEmpty);
  EXPECT_EQ(undo.capturedIndex, -1);
  EXPECT_EQ(undo.fiftyCount, 7);
  pos->UnmakeMove(move, undo);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_EQ(pos->EpSquare, -1);
}

TEST(MakeMove, QuietPieceMoveCountsFiftyAndKingMoveDropsRights) {
  auto pos = FenPosition("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 5 20");
  UndoRecord undo;
  ASSERT_EQ(pos->MakeMove(FindMove(*pos, "e1f1"), undo), 1);
  EXPECT_EQ(pos->FiftyCount, 6);
  EXPECT_EQ(pos->CastleBits, kBlackKingSide | kBlackQueenSide);
  UndoRecord undo2;
  ASSERT_EQ(pos->MakeMove(FindMove(*pos, "a8a1"), undo2), 1);  // rook takes rook: both queen sides go
  EXPECT_EQ(pos->CastleBits, kBlackKingSide);
  EXPECT_EQ(pos->FiftyCount, 0);
}

TEST(MakeMove, CastlingThroughAttackedSquareRefusedButAttackedRookAllowed) {
  // Black bishop on a6 attacks f1.
  auto pos = FenPosition("4k3/8/b7/8/8/8/8/4K2R w K - 0 1");
  const Snapshot before(*pos);
  UndoRecord undo;
  EXPECT_EQ(pos->MakeMove(FindMove(*pos, "e1g1"), undo), 0);
  EXPECT_TRUE(Snapshot(*pos) == before);

  // Black rook on h8 attacks h1 only: castling is legal.
  auto rook = FenPosition("4k2r/8/8/8/8/8/8/4K2R w K - 0 1");
  const Snapshot rookBefore(*rook);
  const Move castle = FindMove(*rook, "e1g1");
  ASSERT_EQ(rook->MakeMove(castle, undo), 1);
  EXPECT_EQ(rook->SquarePiece[61], kRook);
  EXPECT_EQ(rook->SquareColour[61], Colour::kWhite);
  EXPECT_EQ(rook->SquarePiece[63], kEmpty);
  EXPECT_EQ(rook->PieceArIndex[63], -1);
  EXPECT_EQ(rook->PieceAr[rook->PieceArIndex[61]], 61);
  EXPECT_EQ(rook->CastleBits, kWhiteCastled);
  EXPECT_TRUE(rook->AuditBoard());
  rook->UnmakeMove(castle, undo);
  EXPECT_TRUE(Snapshot(*rook) == rookBefore);
}

TEST(MakeMove, BlackQueenSideCastlingRefusedWhenD8Attacked) {
  auto pos = FenPosition("r3k3/8/8/8/8/8/8/3RK3 b q - 0 1");
  UndoRecord undo;
  EXPECT_EQ(pos->MakeMove(FindMove(*pos, "e8c8"), undo), 0);
  // b8 attacked does not matter: only the king's path counts.
  auto b8 = FenPosition("r3k3/8/8/8/8/8/8/1R2K3 b q - 0 1");
  const Move castle = FindMove(*b8, "e8c8");
  ASSERT_EQ(b8->MakeMove(castle, undo), 1);
  EXPECT_EQ(b8->SquarePiece[3], kRook);
  EXPECT_EQ(b8->CastleBits, kBlackCastled);
}

TEST(MakeMove, EnPassantMarksCapturedEntryAndUnmakeRestoresIt) {
  auto pos = FenPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
  const int pawnIndex = pos->PieceArIndex[27];  // d5
  const Snapshot before(*pos);
  const Move move = FindMove(*pos, "e5d6");
  ASSERT_EQ(MoveFlags(move), 21);
  UndoRecord undo;
  ASSERT_EQ(pos->MakeMove(move, undo), 1);
  EXPECT_EQ(pos->PieceAr[pawnIndex], kOffBoard);
  EXPECT_EQ(pos->SquarePiece[27], kEmpty);
  EXPECT_EQ(pos->PieceArIndex[27], -1);
  EXPECT_EQ(undo.capturedIndex, pawnIndex);
  EXPECT_EQ(undo.capturedPiece, kEmpty);
  EXPECT_EQ(pos->DarkEnd - pos->DarkStart, 16);  // the range keeps its size
  EXPECT_TRUE(pos->AuditBoard());
  pos->UnmakeMove(move, undo);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_EQ(pos->PieceAr[pawnIndex], 27);
}

TEST(MakeMove, EnPassantExposingTheKingIsIllegal) {
  auto pos = FenPosition("8/8/8/K2pP2r/8/8/8/7k w - d6 0 2");
  const Snapshot before(*pos);
  UndoRecord undo;
  EXPECT_EQ(pos->MakeMove(FindMove(*pos, "e5d6"), undo), 0);
  EXPECT_TRUE(Snapshot(*pos) == before);
}

TEST(MakeMove, PromotionCaptureAndUnmake) {
  auto pos = FenPosition("rn2k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
  const Snapshot before(*pos);
  const Move move = FindMove(*pos, "b7a8", kKnight);
  ASSERT_EQ(MoveFlags(move), 49);
  UndoRecord undo;
  ASSERT_EQ(pos->MakeMove(move, undo), 1);
  EXPECT_EQ(pos->SquarePiece[0], kKnight);
  EXPECT_EQ(pos->SquareColour[0], Colour::kWhite);
  EXPECT_EQ(undo.capturedPiece, kRook);
  EXPECT_EQ(pos->CastleBits, 0);
  EXPECT_TRUE(pos->AuditBoard());
  pos->UnmakeMove(move, undo);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_EQ(pos->SquarePiece[9], kPawn);
}

TEST(MakeMove, MoveLeavingKingInCheckIsRefused) {
  auto pos = FenPosition("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
  const Snapshot before(*pos);
  UndoRecord undo;
  EXPECT_EQ(pos->MakeMove(FindMove(*pos, "e2d3"), undo), 0);
  EXPECT_TRUE(Snapshot(*pos) == before);
}

TEST(MakeMove, NullMoveClearsEnPassantAndRestoresIt) {
  auto pos = FenPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
  const Snapshot before(*pos);
  UndoRecord undo;
  pos->MakeNullMove(undo);
  EXPECT_EQ(pos->SideToMove, Colour::kBlack);
  EXPECT_EQ(pos->EpSquare, -1);
  pos->UnmakeNullMove(undo);
  EXPECT_TRUE(Snapshot(*pos) == before);
}

}  // namespace
}  // namespace morvi::test
