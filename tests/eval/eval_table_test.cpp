// Table of varied positions (openings, middle games with castled and
// uncastled kings, trapped bishops, outposts, attacked kings, pawn endings,
// advanced pawns) with the line `morvi-bench eval` prints for each. The
// expected lines were computed by eval_reference.py, an independent
// calculator written from the rules of the terms, not from this code.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "eval_fixture.h"

namespace morvi::testing {
namespace {

struct EvalCase {
  const char* fen;
  int castledBits;  // ORed into the castling bits: a FEN cannot say "has castled"
  const char* expected;
};

constexpr EvalCase kCases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, "eval 0 0 0 0"},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 0, "eval 0 -53 -25 0"},
    {"rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2", 0, "eval 0 -371 -343 -87"},
    {"r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3", 0, "eval 0 -306 -306 -50"},
    {"r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQ1RK1 w - - 2 6", 48, "eval 0 -341 -329 -88"},
    {"r2q1rk1/pp2bppp/2np1n2/4p3/4P3/1NN1B3/PPP1BPPP/R2QK2R w KQ - 4 10", 32, "eval 1 3142 3106 3168"},
    {"r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8", 32, "eval 1 -166 -142 -77"},
    {"2kr3r/ppp2ppp/2n5/3q4/3P4/5N2/PP3PPP/R2Q1RK1 b - - 0 14", 48, "eval 1 36 -4 -32"},
    {"r4rk1/1b2qppp/p3pn2/1p6/3P4/P1NB1N2/1P3PPP/R2Q1RK1 w - - 0 16", 48, "eval 1 3537 3481 3513"},
    {"2r2rk1/pp1b1pp1/4p2p/q2pP3/3n4/P1PB4/2Q2PPP/R1B2RK1 w - - 0 19", 48, "eval 1 -1351 -1627 -1567"},
    {"r1bqk2r/Bpp2ppp/1pn2n2/4p3/4P3/2N5/PPP2PPP/R2QKBNR w KQkq - 0 8", 0, "eval 0 1542 1578 3119"},
    {"rn1qkbnr/ppp1pppp/8/8/3P4/1P3N2/bPP1PPPP/RN1QKB1R b KQkq - 0 5", 0, "eval 0 543 599 2160"},
    {"r2qkb1r/ppp2ppp/2n5/3Np3/4P3/8/PPP2PPP/R2QKB1R w KQkq - 0 9", 0, "eval 0 16 12 12"},
    {"r1bq1rk1/pp3ppp/2p2n2/3p4/1b1NnB2/2N1P3/PPQ2PPP/R3KB1R w KQ - 0 10", 32, "eval 1 -1317 -1313 -1236"},
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 0, "eval 3 7268 7216 7168"},
    {"r4rk1/ppp2pQp/3p4/8/8/8/PPP2PPP/4R1K1 b - - 0 20", 48, "eval 2 -6522 -6962 -6848"},
    {"2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30", 0, "eval 2 -13442 -13846 -13824"},
    {"8/4P3/8/8/8/8/k7/7K w - - 0 1", 0, "eval 3 4126 4126 3520"},
    {"8/8/2p5/1pP5/1P6/4k3/8/4K3 b - - 0 50", 0, "eval 3 70 62 0"},
    {"4k3/8/8/2P5/2P5/8/8/4K3 w - - 0 1", 0, "eval 3 4894 4874 4480"},
    {"8/3k4/8/8/3n4/4p3/8/3K4 w - - 0 1", 0, "eval 3 -7229 -7165 -6617"},
    {"8/5k2/8/8/8/8/1R3K2/4N3 b - - 0 40", 0, "eval 3 -10327 -10263 -10215"},
    {"3qk3/8/8/8/8/8/R6R/3K4 b - - 0 40", 0, "eval 3 -1604 -1568 -1472"},
    {"1r4k1/5ppp/8/8/8/8/1R3PPP/6K1 w - - 0 30", 0, "eval 3 0 0 0"},
    {"6k1/1R6/8/8/8/8/5PPP/6K1 w - - 0 30", 0, "eval 3 10545 10465 10240"},
    {"4k3/pp6/8/8/8/8/6PP/4K3 w - - 0 1", 0, "eval 3 0 0 0"},
    {"8/6pk/6pp/8/8/PP6/KP6/8 b - - 0 45", 0, "eval 3 0 0 0"},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", 0, "eval 3 84 76 0"},
    {"r1bq1rk1/pp2b1pp/2p1p3/3pNp2/3PnP2/2PBP3/PP1N2PP/R1BQ1RK1 w - - 0 11", 48, "eval 1 3164 3156 3148"},
    {"r2q1rk1/pp3ppp/3p1n2/2pB4/2PbP3/8/PP3PPP/R2Q1RK1 w - - 0 14", 48, "eval 1 -3711 -3687 -3725"},
    {"r1b2rk1/pp3ppp/2n5/6NQ/8/3B4/PP3PPP/R4RK1 b - - 0 15", 48, "eval 1 -11930 -11422 -11442"},
    {"r1bqk2r/pppp1Bpp/2n2n2/2b1p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 0 4", 0, "eval 0 -660 -732 -988"},
    {"2kr1b1r/ppp2ppp/2n5/4q3/2B5/2N5/PPP2PPP/R2QR1K1 w - - 0 14", 48, "eval 1 118 94 94"},
    {"6k1/5ppp/8/8/8/5n2/5PqP/6RK w - - 0 40", 16, "eval 2 -12247 -11795 -11725"},
    {"2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30", 16, "eval 2 -13378 -13782 -13760"},
    {"4k3/8/8/8/8/8/R1R4R/4K3 w - - 0 1", 0, "eval 3 17540 17360 17216"},
    {"3qkq2/8/8/8/8/8/8/R3K2R b KQ - 0 1", 0, "eval 3 11318 11254 11392"},
};

// What morvi-bench eval does: a refresh at each level, the game-stage rule,
// then the three scores with the random term off.
std::string EvalLine(Position& pos) {
  RefreshBeforeSearch(pos);
  pos.GameStage = DecideGameStage(pos);
  const int complete = Evaluate(pos, EvalLevel::kComplete);
  const int medium = Evaluate(pos, EvalLevel::kMedium);
  const int fast = Evaluate(pos, EvalLevel::kFast);
  char line[80];
  std::snprintf(line, sizeof line, "eval %d %d %d %d", pos.GameStage, complete, medium, fast);
  return line;
}

using EvalTableTest = EvalTest;

TEST_F(EvalTableTest, MatchesTheIndependentCalculation) {
  for (const EvalCase& c : kCases) {
    Position& pos = Load(c.fen, 0);
    pos.CastleBits |= c.castledBits;
    EXPECT_EQ(EvalLine(pos), c.expected) << c.fen;
  }
}

// The evaluation leaves the board alone and gives the same line twice.
TEST_F(EvalTableTest, RepeatableAndBoardUntouched) {
  for (const EvalCase& c : kCases) {
    Position& pos = Load(c.fen, 0);
    pos.CastleBits |= c.castledBits;
    int squares[65], pieces[32];
    std::copy(std::begin(pos.SquarePiece), std::end(pos.SquarePiece), squares);
    std::copy(std::begin(pos.PieceAr), std::end(pos.PieceAr), pieces);
    const std::string first = EvalLine(pos);
    EXPECT_EQ(EvalLine(pos), first) << c.fen;
    EXPECT_TRUE(std::equal(std::begin(squares), std::end(squares), pos.SquarePiece)) << c.fen;
    EXPECT_TRUE(std::equal(std::begin(pieces), std::end(pieces), pos.PieceAr)) << c.fen;
  }
}

}  // namespace
}  // namespace morvi::testing
