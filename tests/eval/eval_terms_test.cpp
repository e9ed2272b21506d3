// The terms of EvaluateTerms one by one on small positions whose values are
// worked out by hand in the comments: pawn structure and passed pawns, rook
// files, the solo queen, outposts, trapped bishops, king position and shelter
// (with the scaling by the enemy's piece material), king attack, hot spots,
// castling state and the material ratio.
#include <cstring>

#include "eval_fixture.h"

namespace morvi::testing {
namespace {

using PawnTermsTest = EvalTest;
using enum Colour;

TEST_F(PawnTermsTest, PassedPawnOnE7) {
  // Table 200, isolated -128, passed 3 x 128 x 6 = 2304; the ending table has 350.
  for (int stage = 0; stage <= 2; ++stage) {
    EXPECT_EQ(Terms("k7/4P3/8/8/8/8/8/K7 w - - 0 1", EvalLevel::kMedium, stage).pawnPosition[kWhite], 2376);
  }
  EXPECT_EQ(Terms("k7/4P3/8/8/8/8/8/K7 w - - 0 1", EvalLevel::kComplete, 3).pawnPosition[kWhite], 2526);
  // A Black pawn behind it on file f (f6, row 2) does not stop it.
  EXPECT_EQ(Terms("k7/4P3/5p2/8/8/8/8/K7 w - - 0 1", EvalLevel::kMedium).pawnPosition[kWhite], 2376);
  // With a pawn on d2 neither is isolated: e7 200 + 2304; d2 -20, backward
  // (behind e7 and the empty file c, whose guard row is -1) -32, passed +128.
  EXPECT_EQ(Terms("k7/4P3/8/8/8/8/3P4/K7 w - - 0 1", EvalLevel::kMedium).pawnPosition[kWhite], 2504 + 76);
}

TEST_F(PawnTermsTest, DoubledPawnsOnFileC) {
  // c4 alone: 60 - 128 isolated; c3 alone: 30 - 128; c7 stops both passing.
  EXPECT_EQ(Terms("k7/2p5/8/8/2P5/8/8/K7 w - - 0 1", EvalLevel::kMedium).pawnPosition[kWhite], -68);
  EXPECT_EQ(Terms("k7/2p5/8/8/8/2P5/8/K7 w - - 0 1", EvalLevel::kMedium).pawnPosition[kWhite], -98);
  // Together only the front pawn loses 64 more.
  const EvalBlock& e = Terms("k7/2p5/8/8/2P5/2P5/8/K7 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.pawnPosition[kWhite], -68 - 98 - 64);
  // The Black pawn: table 0, isolated -128, not passed (White's rear pawn is on row 5).
  EXPECT_EQ(e.pawnPosition[kBlack], -128);
}

TEST_F(PawnTermsTest, BlackPawnMirror) {
  // Black e2 (row 6): table of e7 200, isolated -128, passed 3 x 128 x 6.
  EXPECT_EQ(Terms("k7/8/8/8/8/8/4p3/K7 w - - 0 1", EvalLevel::kMedium).pawnPosition[kBlack], 2376);
  // Black d6 and e6 (table 40 each) with White e3: neither isolated nor
  // backward (same row), neither passed (White's rear e pawn on row 5).
  const EvalBlock& e = Terms("k7/8/3pp3/8/8/4P3/8/K7 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.pawnPosition[kBlack], 40 + 40);
}

TEST_F(PawnTermsTest, ArraysKeepTheirGuards) {
  Terms("k7/pppppppp/8/8/8/8/PPPPPPPP/K7 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(position.WhiteRearRow[0], -1);
  EXPECT_EQ(position.WhiteRearRow[9], -1);
  EXPECT_EQ(position.BlackRearRow[0], 8);
  EXPECT_EQ(position.BlackRearRow[9], 8);
  EXPECT_EQ(position.WhitePawnCount[1], 1);
  // A second position starts from fresh arrays.
  Terms("k7/8/8/8/8/8/7P/K7 w - - 0 1", EvalLevel::kComplete);
  EXPECT_EQ(position.WhitePawnCount[1], 0);
  EXPECT_EQ(position.BlackRearRow[1], 8);
  EXPECT_EQ(position.WhiteRearRow[8], 6);
}

using PieceTermsTest = EvalTest;

TEST_F(PieceTermsTest, RookFilesAndSeventh) {
  // Open file 192 and the seventh 256.
  EXPECT_EQ(Terms("k7/R7/8/8/8/8/8/K7 w - - 0 1", EvalLevel::kMedium).rookPosition[kWhite], 448);
  // Half-open (only an enemy pawn on the file): 64 + 256.
  EXPECT_EQ(Terms("k7/R7/8/p7/8/8/8/K7 w - - 0 1", EvalLevel::kMedium).rookPosition[kWhite], 320);
  // Own pawn on the file: nothing; Black's seventh is row 6.
  EXPECT_EQ(Terms("k7/8/8/8/8/P7/7r/R6K w - - 0 1", EvalLevel::kMedium).rookPosition[kWhite], 0);
  EXPECT_EQ(Terms("k7/8/8/8/8/P7/7r/R6K w - - 0 1", EvalLevel::kMedium).rookPosition[kBlack], 448);
}

TEST_F(PieceTermsTest, RookPairCountsEveryOtherRookOrQueen) {
  // Initial position: h1 shares row 1 with a1 and d1 (2 x 32); a1 is first.
  EXPECT_EQ(Terms("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", EvalLevel::kFast).rookPair[kWhite], 64);
  // Rooks a2 and h2 (list order a2 first), queen a4: only h2 scores, for a2's row.
  EXPECT_EQ(Terms("k7/8/8/8/Q7/8/R6R/K7 w - - 0 1", EvalLevel::kFast).rookPair[kWhite], 32);
  // Rooks a4 (first) and a2, queen h2: a2 scores for a4's file and h2's row.
  EXPECT_EQ(Terms("k7/8/8/8/R7/8/R6Q/K7 w - - 0 1", EvalLevel::kFast).rookPair[kWhite], 64);
  // Three rooks a2, c2, h2: c2 sees a2 and h2, h2 sees a2 and c2; 64 each in stages 2-3.
  EXPECT_EQ(Terms("4k3/8/8/8/8/8/R1R4R/4K3 w - - 0 1", EvalLevel::kFast, 0).rookPair[kWhite], 4 * 32);
  EXPECT_EQ(Terms("4k3/8/8/8/8/8/R1R4R/4K3 w - - 0 1", EvalLevel::kMedium, 3).rookPair[kWhite], 4 * 64);
}

TEST_F(PieceTermsTest, SoloQueen) {
  EXPECT_EQ(Terms("k7/8/8/8/8/8/8/KQ6 w - - 0 1", EvalLevel::kFast).soloQueen, 1536);
  EXPECT_EQ(Terms("kq6/8/8/8/8/8/8/KQ6 w - - 0 1", EvalLevel::kMedium).soloQueen, 0);
  EXPECT_EQ(Terms("kq6/8/8/8/8/8/8/K7 w - - 0 1", EvalLevel::kComplete).soloQueen, -1536);
  EXPECT_EQ(Terms("k7/8/8/8/8/8/8/K7 w - - 0 1", EvalLevel::kFast).soloQueen, 0);
}

TEST_F(PieceTermsTest, BishopPairByStage) {
  const char* fen = "k7/8/8/8/8/8/8/KBB5 w - - 0 1";
  EXPECT_EQ(Terms(fen, EvalLevel::kFast, 0).twoBishops[kWhite], 32);
  EXPECT_EQ(Terms(fen, EvalLevel::kFast, 1).twoBishops[kWhite], 32);
  EXPECT_EQ(Terms(fen, EvalLevel::kFast, 2).twoBishops[kWhite], 128);
  EXPECT_EQ(Terms(fen, EvalLevel::kFast, 3).twoBishops[kWhite], 256);
  EXPECT_EQ(Terms("k7/8/8/8/8/8/8/KBN5 w - - 0 1", EvalLevel::kFast, 3).twoBishops[kWhite], 0);
}

TEST_F(PieceTermsTest, DevelopmentInTheOpeningOnly) {
  // White: Nc3 and Bc4 developed, Bc1 and Ng1 at home.
  const char* fen = "rnbqkbnr/pppppppp/8/8/2B5/2N5/PPPPPPPP/R1BQK1NR w KQkq - 0 1";
  const EvalBlock& e = Terms(fen, EvalLevel::kMedium, 0);
  EXPECT_EQ(e.development[kWhite], 512);
  EXPECT_EQ(e.development[kBlack], 0);
  EXPECT_EQ(Terms(fen, EvalLevel::kMedium, 1).development[kWhite], 0);
}

using OutpostTest = EvalTest;

TEST_F(OutpostTest, BlackKnightOnD4) {
  // Supported by e5 (s - 7); White's rear pawns on files c and e on row 4.
  EXPECT_EQ(Terms("4k3/8/8/4p3/2PnP3/8/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kBlack], 64);
  // A White pawn on c3 (row 5) can still drive it away.
  EXPECT_EQ(Terms("4k3/8/8/4p3/3nP3/2P5/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kBlack], 0);
  // Without support there is no outpost.
  EXPECT_EQ(Terms("4k3/8/8/8/2PnP3/8/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kBlack], 0);
  // On d5 (row 3) supported by c6 (s - 9): 32.
  EXPECT_EQ(Terms("4k3/8/2p5/3n4/8/8/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kBlack], 32);
}

TEST_F(OutpostTest, WhiteKnightAndBishop) {
  // e5 (row 3) supported by d4 (s + 7): knight 64, bishop 32.
  EXPECT_EQ(Terms("4k3/8/8/4N3/3P4/8/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kWhite], 64);
  EXPECT_EQ(Terms("4k3/8/8/4B3/3P4/8/8/4K3 w - - 0 1", EvalLevel::kMedium).bishopOutpost[kWhite], 32);
  // e4 (row 4) supported by f3 (s + 9): knight 32, bishop 16.
  EXPECT_EQ(Terms("4k3/8/8/8/4N3/5P2/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kWhite], 32);
  EXPECT_EQ(Terms("4k3/8/8/8/4B3/5P2/8/4K3 w - - 0 1", EvalLevel::kMedium).bishopOutpost[kWhite], 16);
  // A Black pawn on f7 (row 1, in front of the knight on row 3) spoils it.
  EXPECT_EQ(Terms("4k3/5p2/8/4N3/3P4/8/8/4K3 w - - 0 1", EvalLevel::kMedium).knightOutpost[kWhite], 0);
}

struct TrapCase {
  const char* fen;
  Colour colour;
  int expected;
};

using BishopTrapTest = EvalTest;

TEST_F(BishopTrapTest, EveryPattern) {
  const TrapCase cases[] = {
      {"4k3/B1p5/1p6/8/8/8/8/4K3 w - - 0 1", kWhite, -1536},   // a7: b6 and pawn c7
      {"4k3/B1b5/1p6/8/8/8/8/4K3 w - - 0 1", kWhite, -1536},   // a7: b6 and bishop c7
      {"4k3/B2n4/1p6/8/8/8/8/4K3 w - - 0 1", kWhite, -1536},   // a7: Nd7 guards b6 and b8
      {"3bk3/B7/1p6/8/8/8/8/4K3 w - - 0 1", kWhite, 0},        // a7: b6 guarded, b8 not
      {"4k3/B1p5/8/8/8/8/8/4K3 w - - 0 1", kWhite, 0},         // a7: no pawn on b6
      {"4k3/5p1B/6p1/8/8/8/8/4K3 w - - 0 1", kWhite, -1536},   // h7: g6 and pawn f7
      {"4k3/7B/6p1/7n/8/8/8/4K3 w - - 0 1", kWhite, 0},        // h7: g6 unguarded
      {"4k3/8/8/8/8/1P6/b1P5/4K3 b - - 0 1", kBlack, -1536},   // a2: b3 and pawn c2
      {"4k3/8/8/8/8/1P6/b7/2B1K3 b - - 0 1", kBlack, 0},       // a2: b3 and b1 unguarded
      {"4k3/8/8/8/8/6P1/5B1b/4K3 b - - 0 1", kBlack, -1536},   // h2: g3 and bishop f2
      {"4k3/8/8/8/8/6P1/5K1b/8 b - - 0 1", kBlack, -1536},     // h2: Kf2 guards g3 and g1
  };
  for (const TrapCase& c : cases) {
    for (int stage = 0; stage <= 3; ++stage) {
      const EvalBlock& e = Terms(c.fen, EvalLevel::kMedium, stage);
      EXPECT_EQ(e.bishopTrap[c.colour], c.expected) << c.fen << " stage " << stage;
      EXPECT_EQ(e.bishopTrap[Opponent(c.colour)], 0) << c.fen;
    }
  }
}

using KingTermsTest = EvalTest;

TEST_F(KingTermsTest, ShelterAndScaling) {
  // Kings on g1 and g8 behind unmoved pawns: table 80 each, no piece to scale by.
  const EvalBlock& e = Terms("6k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.kingPosition[kWhite], 80);
  EXPECT_EQ(e.kingPosition[kBlack], 80);
  // Black queen and rook: 14336 >> 13 = 1; with a second rook 19456 >> 13 = 2.
  EXPECT_EQ(Terms("rq4k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kWhite], 80);
  EXPECT_EQ(Terms("rq3rk1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kWhite], 160);
  EXPECT_EQ(Terms("rq3rk1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kBlack], 80);
  // A full set of pieces: 31744 >> 13 = 3.
  EXPECT_EQ(Terms("rnbqkbnr/pppppppp/8/8/8/8/5PPP/RNBQ1RK1 w kq - 0 1", EvalLevel::kMedium).kingPosition[kWhite],
            240);
  // A lone knight (3072 >> 13 = 0) leaves the value unscaled.
  EXPECT_EQ(Terms("n5k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kWhite], 80);
  // The ending table in stage 3: g1 and g8 are 100.
  EXPECT_EQ(Terms("6k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1", EvalLevel::kMedium, 3).kingPosition[kBlack], 100);
}

TEST_F(KingTermsTest, AdvancedAndMissingShelterPawns) {
  // White f2, g3, h4: h -32, g -16; White's h pawn on row 4 costs Black -8.
  const EvalBlock& e = Terms("6k1/5ppp/8/8/7P/6P1/5P2/6K1 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.kingPosition[kWhite], 80 - 32 - 16);
  EXPECT_EQ(e.kingPosition[kBlack], 80 - 8);
  // No pawns at all: files h and g -64, file f -48, for both kings.
  const EvalBlock& bare = Terms("6k1/8/8/8/8/8/8/6K1 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(bare.kingPosition[kWhite], 80 - 64 - 64 - 48);
  EXPECT_EQ(bare.kingPosition[kBlack], 80 - 64 - 64 - 48);
  // Only a Black pawn on h5 (row 3): White h -48 and storm -8, g -64, f -48;
  // Black's own h pawn two rows down -32, g -64, f -48.
  const EvalBlock& h5 = Terms("6k1/8/8/7p/8/8/8/6K1 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(h5.kingPosition[kWhite], 80 - 48 - 8 - 64 - 48);
  EXPECT_EQ(h5.kingPosition[kBlack], 80 - 32 - 64 - 48);
}

TEST_F(KingTermsTest, BlackFileFCostsMore) {
  // White f4 (row 4): -24 and Black's f5 storm -8. Black f5 (row 3): -34 and
  // White's f4 (row 4) storm -8.
  const EvalBlock& e = Terms("6k1/6pp/8/5p2/5P2/8/6PP/6K1 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.kingPosition[kWhite], 80 - 24 - 8);
  EXPECT_EQ(e.kingPosition[kBlack], 80 - 34 - 8);
  // A White pawn on g5 (row 3) costs the Black king -16, on g4 -8, on g3 nothing.
  EXPECT_EQ(Terms("6k1/5p1p/8/6P1/8/8/8/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kBlack], 80 - 48 - 16);
  EXPECT_EQ(Terms("6k1/5p1p/8/8/6P1/8/8/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kBlack], 80 - 48 - 8);
  EXPECT_EQ(Terms("6k1/5p1p/8/8/8/6P1/8/6K1 w - - 0 1", EvalLevel::kMedium).kingPosition[kBlack], 80 - 48);
}

TEST_F(KingTermsTest, CentreAndQueenSide) {
  // e1 and e8 with files d and e open: -16 each.
  const EvalBlock& e = Terms("4k3/8/8/8/8/8/8/4K3 w - - 0 1", EvalLevel::kMedium);
  EXPECT_EQ(e.kingPosition[kWhite], -32);
  EXPECT_EQ(e.kingPosition[kBlack], -32);
  EXPECT_EQ(Terms("4k3/3p4/8/8/8/8/8/4K3 w - - 0 1", EvalLevel::kMedium).kingPosition[kWhite], -16);
  // c1 (table 80) behind a2 b2 c2, a Black pawn on b4 (row 4) storms: -16.
  EXPECT_EQ(Terms("4k3/8/8/8/1p6/8/PPP5/2K5 w - - 0 1", EvalLevel::kMedium).kingPosition[kWhite], 64);
}

using KingAttackTest = EvalTest;

TEST_F(KingAttackTest, DoubledRooksNextToTheKing) {
  // Rooks g8 and g7 (g8 sees through g7) hit g1 and g2 twice, the king once:
  // -128 each; g1 and g2 blocked, h2 free: all but one, -128 more.
  const EvalBlock& e = Terms("k5r1/6r1/8/8/8/8/8/7K w - - 0 1", EvalLevel::kComplete);
  EXPECT_EQ(e.kingAttack[kWhite], -384);
  EXPECT_EQ(e.kingAttack[kBlack], 0);
  EXPECT_EQ(position.AttackCount[Index(kBlack)][62], 2);
}

TEST_F(KingAttackTest, EveryNeighbourBlocked) {
  // Rooks a1 and b1 on the first row: g1 -128; g2 and h2 hold own pawns.
  const EvalBlock& e = Terms("k7/8/8/8/8/8/6PP/rr5K w - - 0 1", EvalLevel::kComplete);
  EXPECT_EQ(e.kingAttack[kWhite], -128 - 512);
  EXPECT_EQ(e.kingAttack[kBlack], 0);
}

TEST_F(KingAttackTest, AttackCountsSeeThroughBatteries) {
  // Queen d1 behind rook d2: the queen's ray goes on through the rook.
  Terms("4k3/8/8/8/8/8/3R4/3QK3 w - - 0 1", EvalLevel::kComplete);
  EXPECT_EQ(position.AttackCount[Index(kWhite)][3], 2);   // d8: rook and queen
  EXPECT_EQ(position.AttackCount[Index(kWhite)][27], 2);  // d5: rook and queen
  EXPECT_EQ(position.AttackCount[Index(kWhite)][59], 2);  // d1: the rook through the queen, the king
  // A bishop does not see through an own bishop, a queen does on diagonals.
  Terms("4k3/8/8/8/8/2B5/1B6/Q3K3 w - - 0 1", EvalLevel::kComplete);
  EXPECT_EQ(position.AttackCount[Index(kWhite)][35], 2);  // d4: c3 bishop and the queen
  EXPECT_EQ(position.AttackCount[Index(kWhite)][42], 2);  // c3: b2 bishop and the queen
}

using HotSpotTest = EvalTest;

// Loads fen for the hot-spot tests with every attack count cleared.
void ClearAttacks(Position& pos) { std::memset(pos.AttackCount, 0, sizeof pos.AttackCount); }

TEST_F(HotSpotTest, WeightsByBalanceAndDistance) {
  Position& pos = Load("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  ClearAttacks(pos);
  pos.AttackCount[Index(kWhite)][11] = 3;  // d7, next to the Black king: 4 x 12
  EXPECT_EQ(HotSpots(pos), 48);
  pos.AttackCount[Index(kWhite)][11] = 6;  // capped at 4: 4 x 16
  EXPECT_EQ(HotSpots(pos), 64);
  ClearAttacks(pos);
  pos.AttackCount[Index(kWhite)][18] = 3;  // c6, two squares away: 2 x 12
  EXPECT_EQ(HotSpots(pos), 24);
  ClearAttacks(pos);
  pos.AttackCount[Index(kWhite)][35] = 3;  // d4, four away: 12
  EXPECT_EQ(HotSpots(pos), 12);
  ClearAttacks(pos);
  pos.AttackCount[Index(kWhite)][4] = 1;  // the king's own square: w = 4, no piece amount
  EXPECT_EQ(HotSpots(pos), 4);
  pos.AttackCount[Index(kBlack)][4] = 1;  // balanced: nothing
  EXPECT_EQ(HotSpots(pos), 0);
}

TEST_F(HotSpotTest, PiecesOnHotSpots) {
  Position& pos = Load("3qk3/8/8/8/8/8/3N4/4K3 w - - 0 1");
  ClearAttacks(pos);
  pos.AttackCount[Index(kBlack)][51] = 2;  // d2 next to the White king, a White knight on it
  EXPECT_EQ(HotSpots(pos), -32 - 32);
  pos.AttackCount[Index(kWhite)][3] = 1;  // d8 next to the Black king, a Black queen on it
  EXPECT_EQ(HotSpots(pos), -64 + 16 + 512);
}

using DriverTermsTest = EvalTest;

TEST_F(DriverTermsTest, CastleState) {
  Position& pos = Load("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  EXPECT_EQ(CastleState(pos), 0);
  pos.CastleBits = kWhiteKingSide | kBlackKingSide | kBlackQueenSide;
  EXPECT_EQ(CastleState(pos), 64 - 128);
  pos.CastleBits = kWhiteCastled;
  EXPECT_EQ(CastleState(pos), 192);
  pos.GameStage = 2;
  EXPECT_EQ(CastleState(pos), 64);
  pos.GameStage = 3;
  EXPECT_EQ(CastleState(pos), 0);
  pos.GameStage = 1;
  pos.CastleBits = kWhiteQueenSide | kBlackCastled;
  EXPECT_EQ(CastleState(pos), 64 - 192);
}

TEST_F(DriverTermsTest, RatioTableAndMaterialRatio) {
  const Position& pos = Load("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(pos.RatioTable[39][39], 0);
  EXPECT_EQ(pos.RatioTable[39][30], 64);
  EXPECT_EQ(pos.RatioTable[30][39], -576);
  EXPECT_EQ(pos.RatioTable[0][0], 0);
  EXPECT_EQ(pos.RatioTable[10][3], 1920);
  // White a queen up: 39 against 30.
  Position& up = Load("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  Evaluate(up, EvalLevel::kFast);
  EXPECT_EQ(MaterialRatio(up), 64);
  // Nine queens each: capped at 39 both, so equal.
  Position& many = Load("qqqqkqqq/qqqqqqqq/8/8/8/8/QQQQQQQQ/QQQQKQQQ w - - 0 1");
  Evaluate(many, EvalLevel::kFast);
  EXPECT_EQ(MaterialRatio(many), 0);
}

}  // namespace
}  // namespace morvi::testing
