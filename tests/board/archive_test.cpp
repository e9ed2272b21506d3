// The game archive and repetition list: recording played moves, the
// repetition sequence, compaction after a played capture, take-back, and the
// refusals when no earlier position is stored.
#include <gtest/gtest.h>

#include <vector>

#include "board_test_support.h"
#include "book/opening_book.h"

namespace morvi::test {
namespace {

using enum Colour;

TEST(Archive, NewGameStoresInitialPositionAsEntryZero) {
  auto pos = NewPosition();
  EXPECT_EQ(pos->ArchiveCount, 1);
  EXPECT_EQ(pos->RepeatCount, 0);
  EXPECT_EQ(pos->Archive[0][0], 0);
  EXPECT_TRUE(pos->SamePosition(pos->Archive[0]));
  EXPECT_EQ(pos->PieceAr[pos->LightStart], 60);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart], 4);
  EXPECT_EQ(pos->CastleBits, 15);
  EXPECT_EQ(pos->EpSquare, -1);
  EXPECT_EQ(pos->eval.stageMaterial[kWhite], 39000);
  EXPECT_EQ(pos->eval.stageMaterial[kBlack], 39000);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Archive, RatioTable) {
  auto pos = NewPosition();
  EXPECT_EQ(pos->RatioTable[39][39], 0);
  EXPECT_EQ(pos->RatioTable[39][30], 64);
  EXPECT_EQ(pos->RatioTable[30][39], -576);
  EXPECT_EQ(pos->RatioTable[0][0], 0);
  EXPECT_EQ(pos->RatioTable[10][3], 1920);
}

TEST(Archive, RepetitionSequenceOfKnightMoves) {
  auto pos = NewPosition();
  for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8"}) ASSERT_TRUE(Play(*pos, move));
  EXPECT_EQ(pos->RepeatCount, 0);  // back at entry 0, which is never compared
  ASSERT_TRUE(Play(*pos, "g1f3"));
  EXPECT_EQ(pos->RepeatCount, 1);
  EXPECT_TRUE(pos->SamePosition(pos->RepeatList[0]));
  ASSERT_TRUE(Play(*pos, "g8f6"));
  EXPECT_EQ(pos->RepeatCount, 2);
  EXPECT_TRUE(pos->SamePosition(pos->RepeatList[1]));
  EXPECT_EQ(pos->ArchiveCount, 7);
  // The search's test looks at entries RepeatCount-1 down to 1 only.
  EXPECT_TRUE(pos->InRepeatList());
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_EQ(pos->RepeatCount, 1);
  EXPECT_FALSE(pos->InRepeatList());
}

TEST(Archive, PlayedCaptureCompactsListAndEmptiesRepeatList) {
  auto pos = NewPosition();
  for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3"}) ASSERT_TRUE(Play(*pos, move));
  ASSERT_EQ(pos->RepeatCount, 1);
  for (const char* move : {"e7e5", "f3e5"}) ASSERT_TRUE(Play(*pos, move));
  EXPECT_EQ(pos->RepeatCount, 0);
  EXPECT_EQ(pos->DarkStart, 16);
  EXPECT_EQ(pos->DarkEnd, 31);
  EXPECT_EQ(pos->PieceAr[pos->LightStart], 60);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart], 4);
  for (int i = 0; i < pos->DarkEnd; ++i) EXPECT_NE(pos->PieceAr[i], kOffBoard);
  EXPECT_TRUE(pos->AuditBoard());
  EXPECT_EQ(pos->Archive[pos->ArchiveCount - 1][0], 1);
  EXPECT_TRUE(pos->SamePosition(pos->Archive[pos->ArchiveCount - 1]));
  // A White capture next moves the Black range down by one.
  for (const char* move : {"d7d6", "e5f7"}) ASSERT_TRUE(Play(*pos, move));
  EXPECT_EQ(pos->DarkStart, 16);
  EXPECT_EQ(pos->DarkEnd, 30);
  ASSERT_TRUE(Play(*pos, "e8f7"));
  EXPECT_EQ(pos->DarkStart, 15);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart], 13);  // the Black king on f7, still first
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Archive, TakeBackRestoresEarlierPositionsAndGameText) {
  auto pos = NewPosition();
  openingBook.gameText.clear();
  const Snapshot initial(*pos);
  ASSERT_TRUE(Play(*pos, "e2e4"));
  EXPECT_EQ(openingBook.gameText, "e2e4");
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_TRUE(Snapshot(*pos) == initial);
  EXPECT_EQ(pos->ArchiveCount, 1);
  EXPECT_EQ(openingBook.gameText, "");

  // Across a compaction the earlier (uncompacted) list comes back.
  for (const char* move : {"e2e4", "d7d5", "e4d5"}) ASSERT_TRUE(Play(*pos, move));
  EXPECT_EQ(pos->DarkEnd, 31);
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_EQ(pos->DarkEnd, 32);
  EXPECT_EQ(pos->SquarePiece[27], kPawn);
  EXPECT_EQ(pos->SquareColour[27], kBlack);
  EXPECT_EQ(pos->EpSquare, 19);
  EXPECT_TRUE(pos->AuditBoard());
  EXPECT_EQ(openingBook.gameText, "e2e4d7d5");
}

TEST(Archive, TakeBackWithoutEarlierPositionChangesNothing) {
  auto pos = NewPosition();
  openingBook.gameText = "e2e4";
  const Snapshot initial(*pos);
  EXPECT_FALSE(pos->TakeBack());  // only the initial position is stored
  EXPECT_TRUE(Snapshot(*pos) == initial);
  EXPECT_EQ(pos->ArchiveCount, 1);
  EXPECT_EQ(openingBook.gameText, "e2e4");

  pos->ArchiveCount = 0;  // as on entering edit mode
  EXPECT_FALSE(pos->TakeBack());
  EXPECT_FALSE(pos->ArchivePop());
  EXPECT_TRUE(Snapshot(*pos) == initial);
  EXPECT_EQ(pos->ArchiveCount, 0);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Archive, FullArchiveKeepsTheLast256Positions) {
  auto pos = NewPosition();
  // Knights to and fro: 300 moves, every position repeated many times over.
  const char* cycle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
  std::vector<Snapshot> seen{Snapshot(*pos)};
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(Play(*pos, cycle[i % 4]));
    seen.emplace_back(*pos);
  }
  EXPECT_EQ(pos->ArchiveCount, kArchiveSize);
  EXPECT_EQ(pos->RepeatCount, kRepeatSize);
  EXPECT_TRUE(pos->InRepeatList());
  // The last 255 moves can be taken back, each to the position before it.
  for (int back = 1; back < kArchiveSize; ++back) {
    ASSERT_TRUE(pos->TakeBack()) << back;
    ASSERT_TRUE(Snapshot(*pos) == seen[seen.size() - 1 - back]) << back;
    ASSERT_TRUE(pos->AuditBoard());
  }
  const Snapshot oldest(*pos);
  EXPECT_FALSE(pos->TakeBack());
  EXPECT_TRUE(Snapshot(*pos) == oldest);
  ASSERT_TRUE(Play(*pos, cycle[(300 - kArchiveSize + 1) % 4]));
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_TRUE(Snapshot(*pos) == oldest);
}

TEST(Archive, EditedPositionWithEmptySlotsSurvivesTakeBack) {
  auto pos = NewPosition();
  pos->ArchiveCount = pos->RepeatCount = 0;
  pos->EditClearBoard();
  ASSERT_TRUE(pos->EditPlacePiece(kKing, 60, kWhite));
  ASSERT_TRUE(pos->EditPlacePiece(kKing, 4, kBlack));
  ASSERT_TRUE(pos->EditPlacePiece(kRook, 63, kWhite));
  ASSERT_TRUE(Play(*pos, "h1h5"));
  ASSERT_TRUE(Play(*pos, "e8d8"));
  ASSERT_TRUE(pos->TakeBack());
  EXPECT_TRUE(pos->AuditBoard());
  EXPECT_EQ(pos->SquareColour[kOffBoard], Colour::kNone);
  EXPECT_EQ(pos->PieceArIndex[kOffBoard], -1);
  EXPECT_EQ(pos->SquarePiece[kOffBoard], kEmpty);
  EXPECT_EQ(pos->SquarePiece[31], kRook);  // h5
  EXPECT_EQ(pos->SquarePiece[4], kKing);
  EXPECT_EQ(pos->SideToMove, kBlack);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart], 4);
}

}  // namespace
}  // namespace morvi::test
