// The opponent's moves: the two refusals that leave the game as it was, the
// move number, the promotion the move names, and the draw by repetition.
#include "engine/user_move.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

class UserMove : public EngineTest {};

TEST_F(UserMove, RefusedMovesChangeNothing) {
  const char* notFound = "Illegal Move: Could not find it in our generated move list\n";
  const char* notDoable = "Illegal Move: Could not make it\n";
  const struct {
    const char* fen;  // nullptr: the initial position
    const char* move;
    const char* console;
    const char* log;
  } rows[] = {
      {nullptr, "e2e5", notFound, "Move not found in generated moves"},
      {nullptr, "e3e4", notFound, "Move not found in generated moves"},
      {nullptr, "e7e5", notFound, "Move not found in generated moves"},
      {"4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", "e2c3", notDoable, "Move not doable - maybe in-check"},
      {"4k3/8/8/8/8/8/3r4/4K3 w - - 0 1", "e1f2", notDoable, "Move not doable - maybe in-check"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.move);
    Clean();
    if (row.fen != nullptr) SetUpGame(row.fen);
    engineState.analysisDone = true;
    const GameSnapshot before = Snapshot();
    const Outcome out = Play(row.move);
    EXPECT_EQ(out.console, row.console);
    EXPECT_EQ(out.log, row.log);
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_TRUE(engineState.analysisDone && engineState.engineActive);
  }
}

TEST_F(UserMove, PlaysThePromotionTheMoveNames) {
  const struct {
    const char* move;
    int piece, promote;
  } rows[] = {{"e7e8n", kKnight, 1}, {"e7e8b", kBishop, 2}, {"e7e8r", kRook, 3},
              {"e7e8q", kQueen, 4},  {"e7e8", kQueen, -1},  {"e1e2n", kEmpty, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.move);
    Clean();
    SetUpGame("k7/4P3/8/8/8/8/8/4K3 w - - 0 1");
    const Outcome out = Play(row.move);
    EXPECT_EQ(out.log, std::string("Engine: valid move from:") + (row.piece == kEmpty ? "60 to:52" : "12 to:4") +
                           " promote: " + std::to_string(row.promote) + " ");
    EXPECT_EQ(position.SquarePiece[Sq(row.piece == kEmpty ? "e2" : "e8")], row.piece == kEmpty ? kKing : row.piece);
  }
  // A letter on a move that does not promote is not looked at (e1e2n above);
  // the ponder check reads a move without a letter as the queen.
  const Move queen = MakeMoveWord(Sq("e7"), Sq("e8"), kQueen, kPromotion | kPawnMove);
  const Move knight = MakeMoveWord(Sq("e7"), Sq("e8"), kKnight, kPromotion | kPawnMove);
  EXPECT_TRUE(MoveMatchesRecord(queen, Sq("e7"), Sq("e8"), -1));
  EXPECT_TRUE(MoveMatchesRecord(queen, Sq("e7"), Sq("e8"), kQueen));
  EXPECT_FALSE(MoveMatchesRecord(queen, Sq("e7"), Sq("e8"), kKnight));
  EXPECT_FALSE(MoveMatchesRecord(knight, Sq("e7"), Sq("e8"), -1));
}

TEST_F(UserMove, ThirdRepetitionIsADrawOnFiveNf6AndNotBefore) {
  LogTap log;
  for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3"}) {
    EXPECT_EQ(Play(move).console, "") << move;
  }
  EXPECT_TRUE(engineState.engineActive);
  const Outcome out = Play("g8f6");
  EXPECT_EQ(out.console, "1/2-1/2 {Draw by repetition}\n");
  EXPECT_EQ(out.log, "Engine: valid move from:6 to:21 promote: -1 ");
  EXPECT_FALSE(engineState.engineActive);
  EXPECT_EQ(position.ArchiveCount, 11);  // still recorded
  EXPECT_EQ(engineState.moveNumber, 6);
  EXPECT_EQ(log.Raw(), "    Engine: 1/2-1/2 {Draw by repetition}\n");
}

// A claim needs the same castling rights and the same en-passant capture,
// when one can be made, each of the three times; an en-passant square that
// no pawn can use does not make a position new. The first row is the one a
// GUI that tests claims forfeited: after h1g1 h8g8 g1h1 g8h8 the king-side
// rights are gone, so the position after 7.Nf3 stands for the second time
// with its rights, not the third.
TEST_F(UserMove, ClaimsOnlyPositionsThatStoodThreeTimesWithTheSameRights) {
  const std::vector<const char*> shuffle = {"g1f3", "e8f8", "f3g1", "f8e8", "g1f3", "d7d5", "f3g1",
                                            "e8d7", "g1f3", "d7e8", "f3g1", "e8d7", "g1f3", "d7e8", "f3g1"};
  const struct {
    const char* what;
    const char* fen;  // nullptr: the initial position
    std::vector<const char*> moves;
    std::vector<int> claims;  // the moves (by index) after which a draw is claimed
  } rows[] = {
      {"castling rights lost after the first stand", nullptr,
       {"g1f3", "g8f6", "h1g1", "h8g8", "g1h1", "g8h8", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6",
        "f3g1"},
       {13, 14}},
      // 3...d5 could be taken en passant: the position after it is not the
      // one after 5...Ke8 and 7...Ke8.
      {"an en-passant capture that could be made", "4k3/3p4/8/4P3/8/8/8/4K1N1 w - - 0 1", shuffle, {14}},
      {"an en-passant square no pawn can use", "4k3/3p4/8/8/8/8/8/4K1N1 w - - 0 1", shuffle, {13, 14}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Clean();
    if (row.fen != nullptr) SetUpGame(row.fen);
    std::vector<int> claims;
    for (int i = 0; i < static_cast<int>(row.moves.size()); ++i) {
      const std::string console = Play(row.moves[i]).console;
      if (!console.empty()) claims.push_back(i);
      EXPECT_TRUE(console.empty() || console == "1/2-1/2 {Draw by repetition}\n") << console;
    }
    EXPECT_EQ(claims, row.claims);
  }
}

// The reply a finished search names is said only when the opponent can play
// it after the move: a line can end in a move left over from an older line.
TEST_F(UserMove, ReplyIsLegalOnlyAfterTheMove) {
  const auto generated = [](const char* text) { return FindGeneratedMove(Sq(text), Sq(text + 2), -1); };
  // The move word the generator makes for `reply` once `move` is played.
  const auto replyAfter = [&](const char* move, const char* reply) {
    Play(move);
    const Move word = generated(reply);
    Execute(Cmd(CommandId::kUndo));
    return word;
  };
  const Move e2e4 = generated("e2e4");
  const Move e7e5 = replyAfter("e2e4", "e7e5");
  ASSERT_NE(e2e4, 0);
  ASSERT_NE(e7e5, 0);
  const GameSnapshot before = Snapshot();
  EXPECT_TRUE(IsLegalReply(e2e4, e7e5));
  EXPECT_FALSE(IsLegalReply(e2e4, e2e4));            // White's move again
  EXPECT_FALSE(IsLegalReply(e2e4, generated("d2d4")));  // a White move
  EXPECT_TRUE(Snapshot() == before);

  // A reply that would leave its own king in check is no reply.
  SetUpGame("4k3/4r3/8/8/8/8/8/4R1K1 w - - 0 1");
  const Move g1h1 = generated("g1h1");
  const Move e7a7 = replyAfter("g1h1", "e7a7");
  const Move e7e1 = replyAfter("g1h1", "e7e1");
  ASSERT_NE(e7a7, 0);
  EXPECT_FALSE(IsLegalReply(g1h1, e7a7));
  EXPECT_TRUE(IsLegalReply(g1h1, e7e1));
}

}  // namespace
}  // namespace morvi
