// The square and move text codec: square names both ways over the whole
// board, the unchecked square formula the book reads with, piece and
// promotion letters by case, the three move writers (board squares, the
// thinking line's signed bytes, the game move with its promotion letter) and
// the coordinate reader with its refusals.
#include "board/notation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "board/position.h"

namespace morvi {
namespace {

std::string SquareText(int square) {
  char text[2];
  WriteSquare(square, text);
  return std::string(text, 2);
}

// The thinking line's text of a move with room to spare.
std::string SignedText(Move move) {
  char text[16];
  const std::size_t length = SignedMoveTextTo(move, text, sizeof text);
  EXPECT_EQ(text[length], '\0');
  return std::string(text, length);
}

Move Promotion(int from, int to, int piece) { return MakeMoveWord(from, to, piece, kPromotion | kPawnMove); }

TEST(Notation, EverySquareNameReadsBackToItsSquare) {
  for (int square = 0; square < 64; ++square) {
    const std::string name = SquareText(square);
    EXPECT_EQ(SquareFromName(name), square) << name;
    EXPECT_EQ(UncheckedSquare(name[0], name[1]), square) << name;
  }
  EXPECT_EQ(SquareText(0), "a8");
  EXPECT_EQ(SquareText(7), "h8");
  EXPECT_EQ(SquareText(56), "a1");
  EXPECT_EQ(SquareText(63), "h1");
  EXPECT_EQ(SquareFromName("e4"), 36);
}

TEST(Notation, SquareNamesRefuseAnythingElse) {
  for (const char* text : {"", "e", "e44", "i4", "`4", "e9", "e0", "E4", "4e", "e 4", " e4"}) {
    EXPECT_EQ(SquareFromName(text), -1) << '"' << text << '"';
  }
}

TEST(Notation, FileAndRankCharactersAreTheSquaresOwn) {
  EXPECT_TRUE(IsFileLetter('a') && IsFileLetter('h'));
  EXPECT_FALSE(IsFileLetter('i') || IsFileLetter('`') || IsFileLetter('A'));
  EXPECT_TRUE(IsRankDigit('1') && IsRankDigit('8'));
  EXPECT_FALSE(IsRankDigit('0') || IsRankDigit('9'));
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(FileOfLetter(FileLetter(i)), i);
    EXPECT_EQ(RowOfDigit(RankDigit(i)), i);
  }
  EXPECT_EQ(RankDigit(0), '8');
  EXPECT_EQ(RankDigit(7), '1');
}

// The book writes the game's moves with WriteSquare on signed bytes and
// reads its lines with UncheckedSquare: for every byte the two agree.
TEST(Notation, UncheckedSquareAndWriteSquareAgreeBeyondTheBoard) {
  EXPECT_EQ(UncheckedSquare('i', '9'), 0);
  EXPECT_EQ(UncheckedSquare('a', '0'), 64);
  EXPECT_EQ(SquareText(-1), "h9");
  EXPECT_EQ(SquareText(64), "a0");
  for (int square = -128; square < 128; ++square) {
    const std::string text = SquareText(square);
    EXPECT_EQ(UncheckedSquare(text[0], text[1]), square) << square;
  }
}

TEST(Notation, PieceLettersByCase) {
  for (int piece = kPawn; piece <= kKing; ++piece) {
    const char upper = PieceLetter(piece);
    const char lower = LowerPieceLetter(piece);
    EXPECT_EQ(upper, "PNBRQK"[piece]);
    EXPECT_EQ(lower, "pnbrqk"[piece]);
    EXPECT_EQ(PieceFromLetter(lower, LetterCase::kLower), piece);
    EXPECT_EQ(PieceFromLetter(upper, LetterCase::kLower), -1);
    EXPECT_EQ(PieceFromLetter(upper, LetterCase::kUpper), piece);
    EXPECT_EQ(PieceFromLetter(lower, LetterCase::kUpper), -1);
    EXPECT_EQ(PieceFromLetter(lower, LetterCase::kEither), piece);
    EXPECT_EQ(PieceFromLetter(upper, LetterCase::kEither), piece);
  }
  for (char c : {'x', 'a', '1', ' ', '\0'}) EXPECT_EQ(PieceFromLetter(c, LetterCase::kEither), -1) << int(c);
}

TEST(Notation, PromotionLettersNameKnightToQueenOnly) {
  EXPECT_EQ(PromotionFromLetter('n', LetterCase::kLower), kKnight);
  EXPECT_EQ(PromotionFromLetter('b', LetterCase::kLower), kBishop);
  EXPECT_EQ(PromotionFromLetter('r', LetterCase::kLower), kRook);
  EXPECT_EQ(PromotionFromLetter('q', LetterCase::kLower), kQueen);
  EXPECT_EQ(PromotionFromLetter('Q', LetterCase::kUpper), kQueen);
  EXPECT_EQ(PromotionFromLetter('Q', LetterCase::kLower), -1);
  for (char c : {'p', 'k', 'P', 'K'}) EXPECT_EQ(PromotionFromLetter(c, LetterCase::kEither), -1) << c;
}

TEST(Notation, MoveTextTakesSquaresModulo64) {
  char text[kMoveTextSize] = {'x', 'x', 'x', 'x', 'x'};
  MoveTextTo(MakeMoveWord(52, 36, kNoPromotion, kDoubleStep | kPawnMove), text);
  EXPECT_STREQ(text, "e2e4");
  EXPECT_EQ(MoveText(MakeMoveWord(255, 255, 255, 255)), "h1h1");
  EXPECT_EQ(MoveText(MakeMoveWord(64, 127, 0, 0)), "a8h1");
  EXPECT_EQ(MoveText(Promotion(12, 4, kKnight)), "e7e8");  // never a promotion letter
}

TEST(Notation, GameMoveTextWritesThePromotionLetterWhereNeeded) {
  EXPECT_EQ(GameMoveText(Promotion(12, 4, kKnight)), "e7e8n");
  EXPECT_EQ(GameMoveText(Promotion(12, 5, kBishop)), "e7f8b");
  EXPECT_EQ(GameMoveText(Promotion(55, 63, kRook)), "h2h1r");
  EXPECT_EQ(GameMoveText(Promotion(12, 4, kQueen)), "e7e8");
  EXPECT_EQ(GameMoveText(Promotion(12, 4, kQueen), true), "e7e8q");
  EXPECT_EQ(GameMoveText(MakeMoveWord(52, 36, kNoPromotion, kPawnMove), true), "e2e4");
  // A piece byte without the flag, or the flag with no promotion piece, writes no letter.
  EXPECT_EQ(GameMoveText(MakeMoveWord(12, 4, kKnight, kPawnMove), true), "e7e8");
  for (int piece : {kPawn, kKing, kNoPromotion}) EXPECT_EQ(GameMoveText(Promotion(12, 4, piece), true), "e7e8");
}

TEST(Notation, SignedMoveTextWritesRanksBeyondTheBoardAsNumbers) {
  EXPECT_EQ(SignedText(MakeMoveWord(52, 36, kNoPromotion, 0)), "e2e4");
  EXPECT_EQ(SignedText(MakeMoveWord(0, 63, kNoPromotion, 0)), "a8h1");
  EXPECT_EQ(SignedText(MakeMoveWord(255, 255, 255, 255)), "h9h9");
  EXPECT_EQ(SignedText(MakeMoveWord(64, 0, 0, 0)), "a0a8");
  EXPECT_EQ(SignedText(MakeMoveWord(-9, -128, 0, 0)), "h10a24");
  EXPECT_EQ(SignedText(MakeMoveWord(127, 127, 0, 0)), "h-7h-7");
}

// The thinking line printed "%c%d%c%d" with snprintf: for every pair of bytes
// the codec writes the same text, and cuts it where snprintf cut it.
TEST(Notation, SignedMoveTextEqualsThePrintfFormForEveryByte) {
  for (int from = -128; from < 128; ++from) {
    for (int to = -128; to < 128; ++to) {
      char expected[32];
      std::snprintf(expected, sizeof expected, "%c%d%c%d", 'a' + (from & 7), 8 - (from >> 3), 'a' + (to & 7),
                    8 - (to >> 3));
      ASSERT_EQ(SignedText(MakeMoveWord(from, to, 0, 0)), expected) << from << " " << to;
    }
  }
  const Move move = MakeMoveWord(-9, -128, 0, 0);
  for (std::size_t room = 1; room <= kSignedMoveTextMax + 2; ++room) {
    char expected[16];
    char text[16];
    std::snprintf(expected, room, "%s", "h10a24");
    EXPECT_EQ(SignedMoveTextTo(move, text, room), std::min(room - 1, kSignedMoveTextMax)) << room;
    EXPECT_STREQ(text, expected) << room;
  }
  char untouched = 'x';
  EXPECT_EQ(SignedMoveTextTo(move, &untouched, 0), 0u);
  EXPECT_EQ(untouched, 'x');
}

TEST(Notation, CoordinateMovesWithAndWithoutPromotion) {
  CoordinateMove move;
  ASSERT_TRUE(ParseCoordinateMove("e2e4", LetterCase::kLower, move));
  EXPECT_EQ(move.from, 52);
  EXPECT_EQ(move.to, 36);
  EXPECT_EQ(move.promotion, -1);
  ASSERT_TRUE(ParseCoordinateMove("a7b8n", LetterCase::kLower, move));
  EXPECT_EQ(move.from, 8);
  EXPECT_EQ(move.to, 1);
  EXPECT_EQ(move.promotion, kKnight);
  ASSERT_TRUE(ParseCoordinateMove("h2h1Q", LetterCase::kEither, move));
  EXPECT_EQ(move.promotion, kQueen);
  // The reader checks the form only: a1a1 or a promotion letter on a knight's move are the board's business.
  EXPECT_TRUE(ParseCoordinateMove("a1a1", LetterCase::kLower, move));
  EXPECT_TRUE(ParseCoordinateMove("b1c3q", LetterCase::kLower, move));
}

TEST(Notation, CoordinateReaderRefusals) {
  for (const char* text : {"", "e2", "e2e", "e2e4qq", "e2-e4", "E2E4", "e2E4", "i2e4", "e0e4", "e2e9", "e2e4 ",
                           "e7e8k", "e7e8p", "e7e8x", "e7e8Q"}) {
    CoordinateMove move{1, 2, 3};
    EXPECT_FALSE(ParseCoordinateMove(text, LetterCase::kLower, move)) << text;
    EXPECT_EQ(move.from, 1) << text;  // left as it was
    EXPECT_EQ(move.to, 2) << text;
    EXPECT_EQ(move.promotion, 3) << text;
  }
  CoordinateMove move;
  EXPECT_FALSE(ParseCoordinateMove("e7e8q", LetterCase::kUpper, move));
  EXPECT_FALSE(ParseCoordinateMove("e7e8K", LetterCase::kEither, move));
}

// The form test of UCI's "searchmoves" list looks at the squares only.
TEST(Notation, CoordinateSquaresIgnoreTheFifthCharacter) {
  for (const char* text : {"e2e4", "e7e8q", "e2e4x", "e2e4 ", "e7e8K"}) {
    EXPECT_TRUE(HasCoordinateSquares(text)) << text;
  }
  for (const char* text : {"e2e", "e2e4qq", "E2e4", "e2i4", "e2e0"}) EXPECT_FALSE(HasCoordinateSquares(text)) << text;
}

}  // namespace
}  // namespace morvi
