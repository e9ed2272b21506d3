// A line of moves checked against the position it starts from: a line is
// playable as far as each move is generated and legal after the ones before
// it, and the position is left exactly as it was.
#include "board/legal_line.h"

#include <gtest/gtest.h>

#include "board_test_support.h"

namespace morvi {
namespace {

using test::FenPosition;
using test::FindMove;
using test::NewPosition;
using test::Snapshot;

TEST(LegalLine, PlayableAsFarAsEachMoveIsLegalAfterTheOnesBefore) {
  auto pos = NewPosition();
  const Snapshot before(*pos);
  const Move e4 = FindMove(*pos, "e2e4"), d4 = FindMove(*pos, "d2d4");
  UndoRecord undo;
  ASSERT_TRUE(pos->MakeMove(e4, undo));
  const Move e5 = FindMove(*pos, "e7e5");
  pos->UnmakeMove(e4, undo);
  // White's e2e4 twice in a row: the second is a move of an older line.
  const Move line[] = {e4, e5, e4, e5};
  EXPECT_EQ(LegalLineLength(*pos, line, 4), 2);
  EXPECT_EQ(LegalLineLength(*pos, line, 0), 0);
  const Move wrongSide[] = {e5};
  EXPECT_EQ(LegalLineLength(*pos, wrongSide, 1), 0);
  const Move whole[] = {d4, e5};
  EXPECT_EQ(LegalLineLength(*pos, whole, 2), 2);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_TRUE(pos->AuditBoard());
}

TEST(LegalLine, MovesTheRulesForbidAreCut) {
  // Black is in check from the rook: a move that leaves the king in check is
  // generated but not legal; a made-up move word is not generated at all.
  auto pos = FenPosition("4k3/8/8/8/8/8/3p4/4R1K1 b - - 0 1");
  const Snapshot before(*pos);
  const Move pawn = FindMove(*pos, "d2d1", kQueen);
  const Move king = FindMove(*pos, "e8d7");
  ASSERT_NE(pawn, 0u);
  ASSERT_NE(king, 0u);
  const Move ignoresCheck[] = {pawn};
  EXPECT_EQ(LegalLineLength(*pos, ignoresCheck, 1), 0);
  const Move madeUp[] = {king, MakeMoveWord(60, 0, kNoPromotion, 0)};  // Re1-a8
  EXPECT_EQ(LegalLineLength(*pos, madeUp, 2), 1);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_TRUE(pos->AuditBoard());
}

}  // namespace
}  // namespace morvi
