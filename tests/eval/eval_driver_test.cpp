// The evaluation driver: the zero of the initial position, negation for
// Black to move, the arithmetic shift and wrap-around of the weighted sum,
// the weights' five-bit shift counts, the random term and the counters.
#include <climits>

#include "eval_fixture.h"
#include "base/random.h"

namespace morvi::testing {
namespace {

using enum Colour;

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* kStartBlack = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1";

using DriverTest = EvalTest;

TEST_F(DriverTest, InitialPositionIsZeroEverywhere) {
  for (const char* fen : {kStart, kStartBlack}) {
    for (int stage = 0; stage <= 3; ++stage) {
      for (EvalLevel level : kEvalLevels) {
        EXPECT_EQ(Evaluate(Load(fen, stage), level), 0)
            << fen << " stage " << stage << " level " << static_cast<int>(level);
      }
    }
  }
}

TEST_F(DriverTest, BlackToMoveNegates) {
  const char* fens[] = {
      "r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8",
      "2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30",
  };
  for (const char* fen : fens) {
    for (EvalLevel level : kEvalLevels) {
      Position& pos = Load(fen, 1);
      const int white = Evaluate(pos, level);
      pos.SideToMove = kBlack;
      EXPECT_EQ(Evaluate(pos, level), -white) << fen << " level " << static_cast<int>(level);
    }
  }
}

TEST_F(DriverTest, ArithmeticShiftTruncatesDownwards) {
  // Fast: knight c3 (50) against knight d5 (100 mirrored): -50 << 8 = -12800,
  // shifted right by 10 gives -13 (a division would give -12).
  const char* fen = "4k3/8/8/3n4/8/2N5/8/4K3 w - - 0 1";
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), -13);
  Position& pos = Load(fen);
  pos.SideToMove = kBlack;
  EXPECT_EQ(Evaluate(pos, EvalLevel::kFast), 13);
  // Weight 0: -50 >> 10 is -1, not 0.
  config.PosKnightFactorS = 0;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), -1);
}

TEST_F(DriverTest, OnlyTheLowFiveBitsOfAShiftCount) {
  const char* fen = "4k3/8/8/3n4/8/2N5/8/4K3 w - - 0 1";
  config.PosKnightFactorS = 8 + 32;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), -13);
  config.PosKnightFactorS = 8;
  config.NormalizeS = 10 + 64;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), -13);
}

TEST_F(DriverTest, SumWrapsAround) {
  // A pawn up: ratio 64 x 39 = 2496 << 10 = 2555904; material 1024 << 21 =
  // 2^31, which wraps to -2^31. Sum -2144927744, >> 10 = -2094656.
  const char* fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1";
  config.MaterialFactorS = 21;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), -2094656);
  // With the ratio term shifted out (2496 << 31 wraps to 0) and no final
  // shift the sum is INT_MIN, and negating it for Black leaves INT_MIN.
  config.RatioFactorS = 31;
  config.NormalizeS = 0;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), INT_MIN);
  Position& pos = Load(fen);
  pos.SideToMove = kBlack;
  EXPECT_EQ(Evaluate(pos, EvalLevel::kFast), INT_MIN);
}

TEST_F(DriverTest, WeightsScaleTheirTerms) {
  // Solo queen only weighs 1536 << SoloQueenFactorS; with the material term
  // out of the way (shift 22: 9216 << 22 wraps to 0) the queen is worth the
  // solo term, the ratio (39 v 30: 64) and the bishop/knight tables (none).
  const char* fen = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1";
  config.MaterialFactorS = 22;
  // Ratio: White 9 (9216 >> 10) against 0: 64 x 31 = 1984.
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), 1536 + 1984);
  config.SoloQueenFactorS = 11;
  EXPECT_EQ(Evaluate(Load(fen), EvalLevel::kFast), 3072 + 1984);
}

TEST_F(DriverTest, RandomTermDrawsOnceAndStaysInRange) {
  evalSettings.randomTerm = true;
  for (unsigned seed : {1u, 12345u, 777u, 4242u}) {
    SeedRandom(seed);
    const int r = Random15();
    const int value = r / 256 - 64;  // -64..63, weighed 2^9 against 2^10
    SeedRandom(seed);
    const int score = Evaluate(Load(kStart), EvalLevel::kComplete);
    EXPECT_EQ(score, value >> 1) << seed;
    EXPECT_GE(score, -32);
    EXPECT_LE(score, 31);
  }
  // The pre-search refresh draws exactly one number as well.
  SeedRandom(99);
  Random15();
  const int second = Random15();
  SeedRandom(99);
  EvaluateForStage(Load(kStart), EvalLevel::kFast);
  EXPECT_EQ(Random15(), second);
  // With the term off nothing is drawn, and the seed changes nothing.
  evalSettings.randomTerm = false;
  SeedRandom(99);
  const int first = Random15();
  SeedRandom(99);
  const int score = Evaluate(Load(kStart), EvalLevel::kComplete);
  EvaluateForStage(position, EvalLevel::kMedium);
  EXPECT_EQ(Random15(), first);
  SeedRandom(12345);
  EXPECT_EQ(Evaluate(Load(kStart), EvalLevel::kComplete), score);
}

TEST_F(DriverTest, CountersPerLevel) {
  Position& pos = Load(kStart);
  Evaluate(pos, EvalLevel::kComplete);
  Evaluate(pos, EvalLevel::kMedium);
  Evaluate(pos, EvalLevel::kFast);
  Evaluate(pos, EvalLevel::kFast);
  EvaluateForStage(pos, EvalLevel::kMedium);
  EvaluateTerms(pos, EvalLevel::kComplete);
  EXPECT_EQ(evalStats.evaluations, 5);
  EXPECT_EQ(evalStats.complete, 2);
  EXPECT_EQ(evalStats.medium, 2);
  EXPECT_EQ(evalStats.fast, 2);
}

TEST_F(DriverTest, RefreshBeforeSearchRunsEachLevelOnce) {
  // Black without its queen, White's d-pawn on d3.
  Position& pos = Load("rnb1kbnr/pppppppp/8/8/8/3P4/PPP1PPPP/RNBQKBNR w KQkq - 0 1");
  evalSettings.randomTerm = true;
  SeedRandom(7);
  for (int i = 0; i < 3; ++i) Random15();
  const int fourth = Random15();
  SeedRandom(7);
  RefreshBeforeSearch(pos);
  EXPECT_EQ(Random15(), fourth);  // one draw per level
  EXPECT_EQ(evalStats.evaluations, 3);
  EXPECT_TRUE(evalStats.complete == 1 && evalStats.medium == 1 && evalStats.fast == 1);
  EXPECT_EQ(pos.eval.stageMaterial[kBlack], 22528);
  // Left for the search: the attack counts (e4 and c4 by the d3 pawn alone)
  // and the pawn structure (the d-file's White pawn on row 5).
  EXPECT_EQ(pos.AttackCount[Index(kWhite)][36], 1);
  EXPECT_EQ(pos.AttackCount[Index(kWhite)][34], 1);
  EXPECT_EQ(pos.WhiteRearRow[3 + 1], 5);
}

TEST_F(DriverTest, RefreshSetsTheMaterialWords) {
  // Black without its queen: pieces 22528, pawns 8192.
  Position& pos = Load("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EvaluateForStage(pos, EvalLevel::kFast);
  EXPECT_EQ(pos.eval.stageMaterial[kWhite], 31744);
  EXPECT_EQ(pos.eval.stageMaterial[kBlack], 22528);
  EXPECT_EQ(pos.eval.totalMaterial[kWhite], 39936);
  EXPECT_EQ(pos.eval.totalMaterial[kBlack], 30720);
}

// Makes the move written as "e2e4" in pos (no promotion), as a search would:
// a captured piece stays in the list as an entry on square 64.
void Play(Position& pos, const char* text) {
  MoveEntry list[256];
  int end = 0;
  pos.GenerateMoves(list, &end);
  const int from = (text[0] - 'a') + 8 * ('8' - text[1]);
  const int to = (text[2] - 'a') + 8 * ('8' - text[3]);
  for (int i = 0; i < end; ++i) {
    if (MoveFrom(list[i].move) == from && MoveTo(list[i].move) == to) {
      UndoRecord undo;
      ASSERT_EQ(pos.MakeMove(list[i].move, undo), 1) << text;
      return;
    }
  }
  FAIL() << "no move " << text;
}

TEST_F(DriverTest, CapturedEntriesCountForNothing) {
  // 1.e4 d5 2.exd5 Qxd5 3.Nc3 Qxd2+: two captured entries left on square 64;
  // the same position from its FEN (lists in another order, no rook or queen
  // order that matters) scores the same at every level.
  Position& pos = Load(kStart);
  for (const char* move : {"e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5d2"}) Play(pos, move);
  int scores[3];
  for (int i = 0; i < 3; ++i) scores[i] = Evaluate(pos, kEvalLevels[i]);
  EXPECT_EQ(pos.eval.pawnMaterial[kWhite], 6 * 1024);
  EXPECT_EQ(pos.eval.pawnMaterial[kBlack], 7 * 1024);
  Position& fen = Load("rnb1kbnr/ppp1pppp/8/8/8/2N5/PPPq1PPP/R1BQKBNR w KQkq - 0 4");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Evaluate(fen, kEvalLevels[i]), scores[i]) << "level " << i;
}

}  // namespace
}  // namespace morvi::testing
