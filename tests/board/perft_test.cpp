// Perft counts against the published figures, and a walk over every node of
// smaller trees checking that make/unmake restores the position, the audit
// stays clean, the outward attack test agrees with the piece-list walk, and
// MakeMove told the side's check state decides legality as the full test.
#include <gtest/gtest.h>

#include "board/perft.h"
#include "board_test_support.h"

namespace morvi::test {
namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* kKiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
constexpr const char* kRookEnding = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -";

std::uint64_t Count(const char* fen, int depth) {
  auto pos = FenPosition(fen);
  static MoveEntry list[kMoveStackSize];
  return Perft(*pos, depth, list, 0);
}

TEST(Perft, StartPosition) {
  EXPECT_EQ(Count(kStart, 1), 20u);
  EXPECT_EQ(Count(kStart, 2), 400u);
  EXPECT_EQ(Count(kStart, 3), 8902u);
  EXPECT_EQ(Count(kStart, 4), 197281u);
  if (!kSanitized) {
    EXPECT_EQ(Count(kStart, 5), 4865609u);
  }
}

TEST(Perft, NewGameMatchesStartFen) {
  auto pos = NewPosition();
  static MoveEntry list[kMoveStackSize];
  EXPECT_EQ(Perft(*pos, 3, list, 0), 8902u);
}

TEST(Perft, CastlingAndPromotionMiddleGame) {
  EXPECT_EQ(Count(kKiwipete, 1), 48u);
  EXPECT_EQ(Count(kKiwipete, 2), 2039u);
  EXPECT_EQ(Count(kKiwipete, 3), 97862u);
  if (!kSanitized) {
    EXPECT_EQ(Count(kKiwipete, 4), 4085603u);
  }
}

TEST(Perft, RookEndingWithEnPassantPins) {
  EXPECT_EQ(Count(kRookEnding, 1), 14u);
  EXPECT_EQ(Count(kRookEnding, 2), 191u);
  EXPECT_EQ(Count(kRookEnding, 3), 2812u);
  EXPECT_EQ(Count(kRookEnding, 4), 43238u);
  if (!kSanitized) {
    EXPECT_EQ(Count(kRookEnding, 5), 674624u);
  }
}

// Visits every node to the given depth and checks each make/unmake.
class TreeChecker {
 public:
  explicit TreeChecker(Position& pos) : pos_(pos) {}

  void Visit(int depth, int start) {
    CheckAttacks();
    if (depth == 0 || ::testing::Test::HasFailure()) return;
    int end = start;
    pos_.GenerateMoves(list_, &end);
    const bool inCheck = pos_.InCheck(pos_.SideToMove);
    for (int i = start; i < end; ++i) {
      const Snapshot before(pos_);
      UndoRecord undo;
      const Move move = list_[i].move;
      const int told = pos_.MakeMove(move, undo, inCheck);
      if (told) pos_.UnmakeMove(move, undo);
      ASSERT_TRUE(Snapshot(pos_) == before) << MoveText(move);
      const int made = pos_.MakeMove(move, undo);
      ASSERT_EQ(told, made) << MoveText(move);
      if (made) {
        ASSERT_TRUE(pos_.AuditBoard()) << MoveText(move);
        ASSERT_FALSE(pos_.InCheck(Opponent(pos_.SideToMove))) << MoveText(move);
        Visit(depth - 1, end);
        pos_.UnmakeMove(move, undo);
      }
      ASSERT_TRUE(Snapshot(pos_) == before) << MoveText(move);
    }
  }

 private:
  void CheckAttacks() {
    for (int target = 0; target < 64; ++target) {
      for (Colour by : kColours) {
        ASSERT_EQ(pos_.IsAttacked(target, by), ListWalkAttacked(pos_, target, by))
            << target << " by " << ColourNumber(by);
      }
    }
  }

  Position& pos_;
  MoveEntry list_[kMoveStackSize];
};

TEST(Perft, EveryNodeRestoredAuditedAndAttacksAgree) {
  for (const char* fen : {kStart, kKiwipete, kRookEnding,
                          "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
                          "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
                          // Check by a bishop; an en-passant capture pinned along the rank.
                          "r3k2r/8/8/8/1b6/8/8/R3K2R w KQkq - 0 1", "8/8/3k4/K2pP2r/8/8/8/8 w - d6 0 1"}) {
    SCOPED_TRACE(fen);
    auto pos = FenPosition(fen);
    auto checker = std::make_unique<TreeChecker>(*pos);
    checker->Visit(kSanitized ? 2 : 3, 0);
  }
}

TEST(Perft, MorePublishedPositions) {
  // Promotions with captures and checks; castling rights lost by capture.
  EXPECT_EQ(Count("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3), 9467u);
  EXPECT_EQ(Count("rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3), 62379u);
}

}  // namespace
}  // namespace morvi::test
