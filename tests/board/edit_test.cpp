// Edit-mode operations: the rebuild rule, "Too many pieces!", castling codes,
// and the refusals and safe handling of positions no game reaches.
#include <gtest/gtest.h>

#include "board/perft.h"
#include "board_test_support.h"

namespace morvi::test {
namespace {

using enum Colour;

std::unique_ptr<Position> KingsOnly() {
  auto pos = NewPosition();
  pos->EditClearBoard();
  EXPECT_TRUE(pos->EditPlacePiece(kKing, 60, kWhite));
  EXPECT_TRUE(pos->EditPlacePiece(kKing, 4, kBlack));
  return pos;
}

TEST(Edit, ClearBoardAndTwoKings) {
  auto pos = KingsOnly();
  EXPECT_TRUE(pos->AuditBoard());
  EXPECT_EQ(pos->PieceAr[pos->LightStart], 60);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart], 4);
  for (int i = 0; i < 32; ++i) {
    if (i != pos->LightStart && i != pos->DarkStart) {
      EXPECT_EQ(pos->PieceAr[i], kOffBoard) << i;
    }
  }
  EXPECT_EQ(pos->DarkStart, 16);
  EXPECT_EQ(pos->DarkEnd, 32);
}

TEST(Edit, RebuildPutsKingFirstAndOthersInSquareOrder) {
  auto pos = KingsOnly();
  ASSERT_TRUE(pos->EditPlacePiece(kRook, 63, kWhite));
  ASSERT_TRUE(pos->EditPlacePiece(kKnight, 1, kWhite));
  ASSERT_TRUE(pos->EditPlacePiece(kQueen, 20, kBlack));
  EXPECT_EQ(pos->PieceAr[0], 60);
  EXPECT_EQ(pos->PieceAr[1], 1);
  EXPECT_EQ(pos->PieceAr[2], 63);
  EXPECT_EQ(pos->PieceAr[16], 4);
  EXPECT_EQ(pos->PieceAr[17], 20);
  EXPECT_TRUE(pos->AuditBoard());
  // Replacing a Black queen by a White bishop moves it to White's range.
  ASSERT_TRUE(pos->EditPlacePiece(kBishop, 20, kWhite));
  EXPECT_EQ(pos->PieceAr[1], 1);
  EXPECT_EQ(pos->PieceAr[2], 20);
  EXPECT_EQ(pos->PieceAr[3], 63);
  EXPECT_EQ(pos->PieceAr[17], kOffBoard);
  ASSERT_TRUE(pos->EditClearSquare(1));
  EXPECT_EQ(pos->PieceAr[1], 20);
  EXPECT_EQ(pos->PieceArIndex[1], -1);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Edit, SixteenPawnsKeepFifteenAndDropTheLast) {
  auto pos = KingsOnly();
  for (int s = 8; s < 24; ++s) ASSERT_TRUE(pos->EditPlacePiece(kPawn, s, kWhite));
  int pawns = 0;
  for (int s = 0; s < 64; ++s) pawns += pos->SquarePiece[s] == kPawn;
  EXPECT_EQ(pawns, 15);
  EXPECT_EQ(pos->SquarePiece[23], kEmpty);
  EXPECT_EQ(pos->SquarePiece[22], kPawn);
  EXPECT_EQ(pos->PieceAr[15], 22);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Edit, RangesShrunkByCompactionStayShrunk) {
  auto pos = NewPosition();
  for (const char* move : {"e2e4", "d7d5", "e4d5"}) ASSERT_TRUE(Play(*pos, move));
  ASSERT_EQ(pos->DarkEnd, 31);
  pos->EditClearBoard();
  ASSERT_TRUE(pos->EditPlacePiece(kKing, 4, kBlack));
  for (int s = 8; s < 24; ++s) ASSERT_TRUE(pos->EditPlacePiece(kPawn, s, kBlack));
  int pawns = 0;
  for (int s = 0; s < 64; ++s) pawns += pos->SquarePiece[s] == kPawn;
  EXPECT_EQ(pawns, 14);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Edit, CastleRightCodes) {
  auto pos = NewPosition();
  pos->CastleBits = 15 | kWhiteCastled;
  const int cleared[4] = {14, 13, 11, 7};
  for (int code = 0; code < 4; ++code) {
    pos->CastleBits = 15 | kWhiteCastled;
    pos->EditCastleRights(code);
    EXPECT_EQ(pos->CastleBits, cleared[code] | kWhiteCastled) << code;
  }
  const int set[4] = {1, 2, 4, 8};
  for (int code = 4; code < 8; ++code) {
    pos->CastleBits = kBlackCastled;
    pos->EditCastleRights(code);
    EXPECT_EQ(pos->CastleBits, set[code - 4] | kBlackCastled) << code;
  }
  pos->CastleBits = 0;
  pos->EditCastleRights(42);
  EXPECT_EQ(pos->CastleBits, 8);
}

TEST(Edit, RefusesWhatNoGameReaches) {
  auto pos = KingsOnly();
  const Snapshot before(*pos);
  EXPECT_FALSE(pos->EditPlacePiece(kPawn, 3, kWhite));   // last rank
  EXPECT_FALSE(pos->EditPlacePiece(kPawn, 59, kBlack));  // first rank
  EXPECT_FALSE(pos->EditPlacePiece(kKing, 36, kWhite));  // a second White king
  EXPECT_FALSE(pos->EditPlacePiece(7, 36, kWhite));
  EXPECT_FALSE(pos->EditPlacePiece(kRook, 64, kWhite));
  EXPECT_FALSE(pos->EditPlacePiece(kRook, 36, Colour::kNone));
  EXPECT_FALSE(pos->EditClearSquare(64));
  EXPECT_FALSE(pos->EditClearSquare(-1));
  EXPECT_FALSE(pos->EditEnPassant(64));
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_NE(pos->EditPlacementProblem(kPawn, 3, kWhite), nullptr);
  EXPECT_EQ(pos->EditPlacementProblem(kPawn, 11, kWhite), nullptr);
  // The king may be placed again on its own square, or moved after clearing.
  EXPECT_TRUE(pos->EditPlacePiece(kKing, 60, kWhite));
  ASSERT_TRUE(pos->EditClearSquare(60));
  EXPECT_TRUE(pos->EditPlacePiece(kKing, 36, kWhite));
  EXPECT_EQ(pos->PieceAr[pos->LightStart], 36);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Edit, SideWithoutKingIsHandledSafely) {
  auto pos = NewPosition();
  ASSERT_TRUE(pos->EditClearSquare(60));
  EXPECT_EQ(pos->PieceAr[pos->LightStart], kOffBoard);
  EXPECT_FALSE(pos->InCheck(kWhite));
  EXPECT_FALSE(pos->IsPlayable());
  EXPECT_TRUE(pos->AuditBoard());
  static MoveEntry list[kMoveStackSize];
  EXPECT_GT(Perft(*pos, 3, list, 0), 0u);
  EXPECT_TRUE(pos->AuditBoard());
  // A Black queen can take the king of a side left in check: nothing breaks.
  auto taken = KingsOnly();
  ASSERT_TRUE(taken->EditPlacePiece(kQueen, 52, kBlack));
  ASSERT_TRUE(taken->EditPlacePiece(kRook, 56, kWhite));
  taken->SideToMove = kBlack;
  taken->RefreshKey();
  EXPECT_FALSE(taken->IsPlayable());
  const Snapshot before(*taken);
  UndoRecord undo;
  const Move capture = FindMove(*taken, "e2e1");
  ASSERT_EQ(taken->MakeMove(capture, undo), 1);
  EXPECT_EQ(taken->PieceAr[taken->LightStart], kOffBoard);
  EXPECT_GT(Perft(*taken, 2, list, 0), 0u);
  taken->UnmakeMove(capture, undo);
  EXPECT_TRUE(Snapshot(*taken) == before);
  // Played and compacted, the taken king keeps its (empty) first slot.
  taken->ArchiveCount = 0;
  ASSERT_EQ(taken->MakeMove(capture, undo), 1);
  taken->ArchivePush(capture);
  EXPECT_EQ(taken->PieceAr[taken->LightStart], kOffBoard);
  EXPECT_EQ(taken->PieceAr[taken->LightStart + 1], 56);  // the rook
  EXPECT_EQ(taken->DarkStart, 2);
  EXPECT_EQ(taken->PieceAr[taken->DarkStart], 4);
  EXPECT_TRUE(taken->AuditBoard());
}

TEST(Edit, BogusEnPassantSquareGivesNoCapture) {
  auto pos = KingsOnly();
  ASSERT_TRUE(pos->EditPlacePiece(kPawn, 28, kWhite));  // e5, nothing on d5
  for (int ep : {19, 20, 44, 60, 0, 7, 63}) {
    ASSERT_TRUE(pos->EditEnPassant(ep));
    for (Colour side : kColours) {
      pos->SideToMove = side;
      static MoveEntry list[kMoveStackSize];
      int end = 0;
      pos->GenerateMoves(list, &end);
      pos->GenerateCaptures(list, &end);
      for (int i = 0; i < end; ++i) EXPECT_FALSE(MoveFlags(list[i].move) & kEnPassant) << ep;
    }
  }
  // The same square with the Black pawn behind it does give the capture.
  ASSERT_TRUE(pos->EditPlacePiece(kPawn, 27, kBlack));
  pos->SideToMove = kWhite;
  ASSERT_TRUE(pos->EditEnPassant(19));
  EXPECT_EQ(MoveFlags(FindMove(*pos, "e5d6")), 21);
}

TEST(Edit, CastlingRightsWithoutOwnKingAndRookGiveNoCastling) {
  // Black rook on h1 and a Black king on e1 square? Only White's own pieces count.
  auto pos = NewPosition();
  pos->EditClearBoard();
  ASSERT_TRUE(pos->EditPlacePiece(kKing, 60, kWhite));
  ASSERT_TRUE(pos->EditPlacePiece(kKing, 12, kBlack));
  ASSERT_TRUE(pos->EditPlacePiece(kRook, 63, kBlack));
  ASSERT_TRUE(pos->EditPlacePiece(kRook, 56, kWhite));
  pos->CastleBits = 15;
  pos->RefreshKey();
  EXPECT_EQ(FindMove(*pos, "e1g1"), 0u);
  EXPECT_NE(FindMove(*pos, "e1c1"), 0u);  // the White rook on a1 does count
  // Black to move with its king away from e8 and a White king there.
  auto swapped = NewPosition();
  swapped->EditClearBoard();
  ASSERT_TRUE(swapped->EditPlacePiece(kKing, 4, kWhite));
  ASSERT_TRUE(swapped->EditPlacePiece(kKing, 36, kBlack));
  ASSERT_TRUE(swapped->EditPlacePiece(kRook, 7, kBlack));
  ASSERT_TRUE(swapped->EditPlacePiece(kRook, 0, kBlack));
  swapped->CastleBits = 15;
  swapped->SideToMove = kBlack;
  swapped->RefreshKey();
  EXPECT_EQ(FindMove(*swapped, "e8g8"), 0u);
  EXPECT_EQ(FindMove(*swapped, "e8c8"), 0u);
  static MoveEntry list[kMoveStackSize];
  EXPECT_GT(Perft(*swapped, 3, list, 0), 0u);
  EXPECT_TRUE(swapped->AuditBoard());
}

TEST(Edit, PlayableAfterNewGameAndOrdinarySetUp) {
  auto pos = NewPosition();
  EXPECT_TRUE(pos->IsPlayable());
  auto kings = KingsOnly();
  EXPECT_TRUE(kings->IsPlayable());
}

}  // namespace
}  // namespace morvi::test
