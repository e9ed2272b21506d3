// The game-stage rule: the material thresholds of the two endings, judged by
// the side not to move after a refresh, and the count of that side's
// untouched home squares between opening and middle game.
#include "eval_fixture.h"

namespace morvi::testing {
namespace {

using GameStageTest = EvalTest;

// Refreshes the stage material as the engine does before a search and
// returns the stage.
int StageOf(Position& pos) {
  RefreshBeforeSearch(pos);
  return DecideGameStage(pos);
}

TEST_F(GameStageTest, MaterialThresholds) {
  // White to move: Black's pieces decide.
  EXPECT_EQ(StageOf(Load("rn2k3/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1")), 3);     // 8192
  EXPECT_EQ(StageOf(Load("r2qk2r/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")), 2);  // 19456
  EXPECT_EQ(StageOf(Load("r1bqk2r/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")), 0);  // 22528, 13 home
  EXPECT_EQ(StageOf(Load("r1bqk2r/8/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")), 1);  // 5 home
  // Exactly on a threshold is the higher stage: queen and knight 12288, queen,
  // rook and two bishops 20480.
  EXPECT_EQ(StageOf(Load("1n1qk3/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1")), 2);
  EXPECT_EQ(StageOf(Load("r1bqkb2/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1")), 0);
  // White's own material does not count when White is to move.
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/4K3 w kq - 0 1")), 0);
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/4K3 b kq - 0 1")), 3);
}

TEST_F(GameStageTest, HomeSquaresOfTheOpponent) {
  // After 1.e4 e5 2.Nf3, Black to move: White's e2 and g1 changed, 14 >= 9.
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2")), 0);
  // Nine White home squares untouched (seven changed) is still the opening,
  // eight is the middle game.
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/1PPPPPPP/8/P7/RNBQKBNR b KQkq - 0 1")), 0);
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/PPPPPPPP/8/8/RNBQKBNR b KQkq - 0 1")), 1);
  // A piece of the wrong kind or colour on a home square does not count.
  EXPECT_EQ(StageOf(Load("rnbqkbn1/pppppppp/8/8/PPPPPPP1/8/7P/RNBQKBNr b Qq - 0 1")), 1);
}

TEST_F(GameStageTest, OpeningCountZero) {
  config.OpeningCount = 0;
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1")), 0);
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1")), 1);
  // An extreme count from the profile does not overflow.
  config.OpeningCount = -2147483647 - 1;
  EXPECT_EQ(StageOf(Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1")), 1);
}

TEST_F(GameStageTest, ReadsTheStageMaterialAsLastLeft) {
  Position& pos = Load("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  pos.eval.stageMaterial[Colour::kBlack] = 12287;
  EXPECT_EQ(DecideGameStage(pos), 3);
  pos.eval.stageMaterial[Colour::kBlack] = 12288;
  EXPECT_EQ(DecideGameStage(pos), 2);
}

TEST_F(GameStageTest, OtherSideToMoveKeepsTheStage) {
  Position& pos = Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 2);
  pos.SideToMove = Colour::kNone;
  EXPECT_EQ(DecideGameStage(pos), 2);
  pos.SideToMove = Colour::kWhite;
}

}  // namespace
}  // namespace morvi::testing
