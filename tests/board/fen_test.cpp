// The FEN loader: fields, optional counters, refusals that leave the position
// untouched, and the sanitising of castling rights and en-passant squares.
#include <gtest/gtest.h>

#include "board_test_support.h"

namespace morvi::test {
namespace {

TEST(Fen, StartPositionEqualsNewGame) {
  auto fen = FenPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  auto game = NewPosition();
  const Snapshot a(*fen);
  Snapshot b(*game);
  // The rebuild orders pieces by square, NewGame by kind: compare the boards.
  EXPECT_EQ(std::memcmp(a.squarePiece, b.squarePiece, sizeof a.squarePiece), 0);
  EXPECT_EQ(std::memcmp(a.squareColour, b.squareColour, sizeof a.squareColour), 0);
  EXPECT_EQ(fen->CastleBits, 15);
  EXPECT_EQ(fen->EpSquare, -1);
  EXPECT_EQ(fen->PieceAr[fen->LightStart], 60);
  EXPECT_EQ(fen->PieceAr[fen->DarkStart], 4);
  EXPECT_EQ(fen->PieceAr[1], 48);  // a2 is White's first piece after the king
  EXPECT_EQ(fen->ArchiveCount, 0);
  EXPECT_EQ(fen->RepeatCount, 0);
  EXPECT_EQ(fen->eval.stageMaterial[Colour::kWhite], 39000);
  EXPECT_TRUE(fen->AuditBoard());
}

TEST(Fen, CountersAreOptional) {
  auto with = FenPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d6 13 40");
  EXPECT_EQ(with->FiftyCount, 13);
  EXPECT_EQ(with->EpSquare, 19);
  auto without = FenPosition("4k3/8/8/3pP3/8/8/8/4K3 b - -");
  EXPECT_EQ(without->FiftyCount, 0);
  EXPECT_EQ(without->SideToMove, Colour::kBlack);
}

TEST(Fen, RefusedTextLeavesPositionUntouched) {
  auto pos = NewPosition();
  const Snapshot before(*pos);
  for (const char* bad : {
           "",
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",           // no side
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq -",  // bad side
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq -",           // seven rows
           "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",  // nine files
           "rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",   // short row
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQxq -",  // castling letter
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9",  // square
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1",
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0",
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 extra",
           "rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ -",   // no Black king
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBKKBNR w - -",    // two White kings
           "rnbqkbnP/pppppppp/8/8/8/8/PPPPPPP1/RNBQKBNR w - -",    // pawn on the last rank
           "rnbqkbnr/ppppppp1/8/8/8/8/PPPPPPPP/RNBQKBNp w - -",    // pawn on the first rank
           "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR/ w - -",
           "rnbqkbnr/pppppppp/8/8/8/N7/PPPPPPPP/RNBQKBNR w - -",   // seventeen White pieces
       }) {
    EXPECT_FALSE(LoadFen(*pos, bad)) << bad;
    EXPECT_TRUE(Snapshot(*pos) == before) << bad;
  }
}

TEST(Fen, CastlingRightsWithoutKingAndRookAtHomeAreDropped) {
  auto pos = FenPosition("r3k3/8/8/8/8/8/8/1R2K2R w KQkq - 0 1");
  EXPECT_EQ(pos->CastleBits, kWhiteKingSide | kBlackQueenSide);
  auto moved = FenPosition("r3k2r/8/8/8/8/8/8/R2K3R b KQkq - 0 1");
  EXPECT_EQ(moved->CastleBits, kBlackKingSide | kBlackQueenSide);
  auto foreign = FenPosition("4k3/8/8/8/8/8/8/4K2r w K - 0 1");  // the h1 rook is Black's
  EXPECT_EQ(foreign->CastleBits, 0);
}

TEST(Fen, EnPassantSquareWithoutPawnBehindItIsDropped) {
  EXPECT_EQ(FenPosition("4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1")->EpSquare, -1);   // no pawn on d5
  EXPECT_EQ(FenPosition("4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1")->EpSquare, -1);  // wrong side to move
  EXPECT_EQ(FenPosition("4k3/8/8/3pP3/8/8/8/4K3 w - d3 0 1")->EpSquare, -1);  // wrong row
  EXPECT_EQ(FenPosition("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1")->EpSquare, 43);
}

}  // namespace
}  // namespace morvi::test
