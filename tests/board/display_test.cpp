// The board diagram byte for byte and the audit's verdicts.
#include <gtest/gtest.h>

#include "board_test_support.h"

namespace morvi::test {
namespace {

std::string Printed(const Position& pos) { return pos.BoardDiagram(); }

TEST(Display, InitialPositionByteForByte) {
  auto pos = NewPosition();
  EXPECT_EQ(Printed(*pos),
            "\n"
            "8 r n b q k b n r\n"
            "7 p p p p p p p p\n"
            "6 . . . . . . . .\n"
            "5 . . . . . . . .\n"
            "4 . . . . . . . .\n"
            "3 . . . . . . . .\n"
            "2 P P P P P P P P\n"
            "1 R N B Q K B N R\n"
            "\n"
            "  a b c d e f g h\n"
            "\n"
            "Board Audit Result: clean\n");
}

TEST(Display, FaultyColourPrintsNothingAndAuditFails) {
  auto pos = NewPosition();
  pos->SquareColour[36] = ColourFromNumber(3);
  pos->SquarePiece[36] = kKnight;
  const std::string text = Printed(*pos);
  EXPECT_NE(text.find("\n4 . . . . . . .\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Board Audit Result: BUG\n"), std::string::npos);
}

TEST(Display, AuditAcceptsCapturedEntryDuringSearch) {
  auto pos = FenPosition("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
  UndoRecord undo;
  ASSERT_EQ(pos->MakeMove(FindMove(*pos, "e4d5"), undo), 1);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart + 1], kOffBoard);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(Display, AuditFindsEachBrokenInvariant) {
  auto pos = NewPosition();
  // A piece on the board that its list entry does not point back to (as a
  // second king of one colour would be).
  pos->SquarePiece[36] = kKing;
  pos->SquareColour[36] = Colour::kWhite;
  pos->PieceArIndex[36] = 0;
  EXPECT_FALSE(pos->AuditBoard());

  pos = NewPosition();
  pos->PieceArIndex[52] = -1;
  EXPECT_FALSE(pos->AuditBoard());

  pos = NewPosition();
  pos->SquareColour[60] = Colour::kBlack;  // a White entry on a Black square
  EXPECT_FALSE(pos->AuditBoard());

  pos = NewPosition();
  pos->SquarePiece[kOffBoard] = kPawn;
  EXPECT_FALSE(pos->AuditBoard());

  pos = NewPosition();
  pos->PieceArIndex[60] = 900;  // damaged beyond the list: reported, not followed
  EXPECT_FALSE(pos->AuditBoard());
}

}  // namespace
}  // namespace morvi::test
