// A line of moves checked against the position it starts from: a line is
// playable as far as each move is generated and legal after the ones before
// it, and ends where the game would (the third stand of a position, counted
// with the game's, or the fifty-move rule); the position is left exactly as
// it was.
#include "board/legal_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(PlayableLineLength(*pos, line, 4), 2);
  EXPECT_EQ(PlayableLineLength(*pos, line, 0), 0);
  const Move wrongSide[] = {e5};
  EXPECT_EQ(PlayableLineLength(*pos, wrongSide, 1), 0);
  const Move whole[] = {d4, e5};
  EXPECT_EQ(PlayableLineLength(*pos, whole, 2), 2);
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
  EXPECT_EQ(PlayableLineLength(*pos, ignoresCheck, 1), 0);
  const Move madeUp[] = {king, MakeMoveWord(60, 0, kNoPromotion, 0)};  // Re1-a8
  EXPECT_EQ(PlayableLineLength(*pos, madeUp, 2), 1);
  EXPECT_TRUE(Snapshot(*pos) == before);
  EXPECT_TRUE(pos->AuditBoard());
}

// Plays the coordinate moves as a line (not recorded in the game).
std::vector<Move> Line(Position& pos, const std::vector<std::string>& texts) {
  std::vector<Move> line;
  std::vector<UndoRecord> undo(texts.size());
  for (const std::string& text : texts) {
    line.push_back(FindMove(pos, text));
    EXPECT_TRUE(line.back() != 0 && pos.MakeMove(line.back(), undo[line.size() - 1])) << text;
  }
  for (size_t i = line.size(); i-- > 0;) pos.UnmakeMove(line[i], undo[i]);
  return line;
}

TEST(LegalLine, EndsWhereTheGameEnds) {
  // The start position has stood twice in the game (knights out and back):
  // a line that brings it back a third time ends with that move.
  auto pos = NewPosition();
  for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8"}) ASSERT_TRUE(test::Play(*pos, move));
  const std::vector<Move> again = Line(*pos, {"b1c3", "b8c6", "c3b1", "c6b8", "e2e4"});
  EXPECT_EQ(PlayableLineLength(*pos, again.data(), 5), 4);
  // Positions the line itself repeats count too.
  auto fresh = NewPosition();
  const std::vector<Move> twice = Line(*fresh, {"b1c3", "b8c6", "c3b1", "c6b8", "b1c3", "b8c6", "c3b1", "c6b8", "e2e4"});
  EXPECT_EQ(PlayableLineLength(*fresh, twice.data(), 9), 8);
  EXPECT_TRUE(fresh->AuditBoard());
  // The fifty-move rule: the hundredth half-move without a capture or a pawn
  // move ends the line.
  auto fifty = FenPosition("k7/8/8/8/8/8/8/K6R w - - 99 80");
  const std::vector<Move> quiet = Line(*fifty, {"h1h2", "a8b8"});
  EXPECT_EQ(PlayableLineLength(*fifty, quiet.data(), 2), 1);
}

}  // namespace
}  // namespace morvi
