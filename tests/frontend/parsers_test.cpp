// The argument parsers with their accepted and rejected forms.
#include "frontend/parsers.h"

#include <climits>

#include "frontend/queue_fixture.h"

namespace morvi {
namespace {

using ParserTest = QueueTest;

TEST_F(ParserTest, LevelWithMinutesOrMinutesAndSeconds) {
  ASSERT_TRUE(ParseLevel("level 40 5 0"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kLevel);
  EXPECT_EQ(record->levelMoves, 40);
  EXPECT_EQ(record->levelBase, 300);
  EXPECT_EQ(record->levelIncrement, 0);

  ASSERT_TRUE(ParseLevel("level 0 2:30 12"));
  record = Posted();
  EXPECT_EQ(record->levelMoves, 0);
  EXPECT_EQ(record->levelBase, 150);
  EXPECT_EQ(record->levelIncrement, 12);

  ASSERT_TRUE(ParseLevel("level 40 0:20 1:30"));
  record = Posted();
  EXPECT_EQ(record->levelBase, 20);
  EXPECT_EQ(record->levelIncrement, 90);
}

TEST_F(ParserTest, LevelRejections) {
  for (const char* text : {"level 40 5", "level", "level 40", "xlevel 40 5 0", "level 40 :30 0",
                           "level 40 5 x"}) {
    EXPECT_FALSE(ParseLevel(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, LevelClampsHugeNumbers) {
  ASSERT_TRUE(ParseLevel("level 99999999999 99999999999 99999999999:5"));
  auto record = Posted();
  EXPECT_EQ(record->levelMoves, INT_MAX);
  EXPECT_EQ(record->levelBase, INT_MAX);
  EXPECT_EQ(record->levelIncrement, INT_MAX);
}

TEST_F(ParserTest, ClockTimeAndOtim) {
  ASSERT_TRUE(ParseClock("time 6000"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kTime);
  EXPECT_EQ(record->clockValue, 6000);

  ASSERT_TRUE(ParseClock("otim 250"));
  record = Posted();
  EXPECT_EQ(record->id, CommandId::kOtim);
  EXPECT_EQ(record->clockValue, 250);

  ASSERT_TRUE(ParseClock("time -50"));  // the minus sign is skipped
  EXPECT_EQ(Posted()->clockValue, 50);

  ASSERT_TRUE(ParseClock("time 99999999999"));
  EXPECT_EQ(Posted()->clockValue, INT_MAX);
}

TEST_F(ParserTest, ClockRejections) {
  for (const char* text : {"time", "time x", "xtime 100", "otim", "timer"}) {
    EXPECT_FALSE(ParseClock(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, Ponder) {
  ASSERT_TRUE(ParsePonder("ponder e2e4"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kPonderMove);
  EXPECT_EQ(record->moveFrom, 52);
  EXPECT_EQ(record->moveTo, 36);
  EXPECT_EQ(record->movePromotion, -1);

  ASSERT_TRUE(ParsePonder("ponder  \ta7a8n"));
  EXPECT_EQ(Posted()->movePromotion, 1);

  for (const char* text : {"ponder", "ponder e2e9", "xponder e2e4", "ponder e2e4 "}) {
    EXPECT_FALSE(ParsePonder(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, ResultTokensAndComment) {
  ASSERT_TRUE(ParseResult("result 1/2-1/2 {Draw by repetition}"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kResult);
  EXPECT_EQ(record->resultCode, 1);
  EXPECT_EQ(record->resultText, "{Draw by repetition}");

  ASSERT_TRUE(ParseResult("RESULT 1-0 {White Mates}"));
  record = Posted();
  EXPECT_EQ(record->resultCode, 0);
  EXPECT_EQ(record->resultText, "{White Mates}");

  ASSERT_TRUE(ParseResult("result 0-1"));
  record = Posted();
  EXPECT_EQ(record->resultCode, 2);
  EXPECT_EQ(record->resultText, "");

  ASSERT_TRUE(ParseResult("result * {unfinished}"));
  EXPECT_EQ(Posted()->resultCode, 3);

  for (const char* text : {"result 2-0", "result", "result 1-0-1", "xresult 1-0", "result1"}) {
    EXPECT_FALSE(ParseResult(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, NameKeepsLetterCase) {
  ASSERT_TRUE(ParseName("name Club Player"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kName);
  EXPECT_EQ(record->nameText, "Club Player");

  ASSERT_TRUE(ParseName("NAME    Ann "));
  EXPECT_EQ(Posted()->nameText, "Ann ");

  ASSERT_TRUE(ParseName("name"));
  EXPECT_EQ(Posted()->nameText, "");

  EXPECT_FALSE(ParseName("rename x"));
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, Rating) {
  ASSERT_TRUE(ParseRating("rating 2100 1950"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kRating);
  EXPECT_EQ(record->ratingOwn, 2100);
  EXPECT_EQ(record->ratingOpponent, 1950);

  ASSERT_TRUE(ParseRating("rating"));
  record = Posted();
  EXPECT_EQ(record->ratingOwn, 0);
  EXPECT_EQ(record->ratingOpponent, 0);

  ASSERT_TRUE(ParseRating("rating 1800"));
  record = Posted();
  EXPECT_EQ(record->ratingOwn, 1800);
  EXPECT_EQ(record->ratingOpponent, 0);

  ASSERT_TRUE(ParseRating("rating 99999999999 5"));
  record = Posted();
  EXPECT_EQ(record->ratingOwn, INT_MAX);
  EXPECT_EQ(record->ratingOpponent, 5);

  EXPECT_FALSE(ParseRating("xrating 1 2"));
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, CastleCodes) {
  const char* codes[] = {"-w00", "-w000", "-b00", "-b000", "+w00", "+w000", "+b00", "+b000"};
  for (int code = 0; code < 8; ++code) {
    ASSERT_TRUE(ParseCastle(std::string("castle ") + codes[code])) << codes[code];
    auto record = Posted();
    EXPECT_EQ(record->id, CommandId::kEditCastle);
    EXPECT_EQ(record->castleCode, code);
  }
  for (const char* text : {"castle w00", "castle +w0", "castle +w00 ", "castle", "xcastle +w00"}) {
    EXPECT_FALSE(ParseCastle(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, EnPassant) {
  ASSERT_TRUE(ParseEnPassant("ep e3"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kEditEp);
  EXPECT_EQ(record->square, 44);

  ASSERT_TRUE(ParseEnPassant("ep   a6"));
  EXPECT_EQ(Posted()->square, 16);

  for (const char* text : {"ep e4", "ep", "ep e", "ep i3", "ep e3 ", "xep e3", "epe3x"}) {
    EXPECT_FALSE(ParseEnPassant(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, Placement) {
  ASSERT_TRUE(ParsePlacement("pe4"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kEditPlace);
  EXPECT_EQ(record->piece, 0);
  EXPECT_EQ(record->square, 36);

  ASSERT_TRUE(ParsePlacement("kh8"));
  record = Posted();
  EXPECT_EQ(record->piece, 5);
  EXPECT_EQ(record->square, 7);

  ASSERT_TRUE(ParsePlacement("xa1"));
  record = Posted();
  EXPECT_EQ(record->id, CommandId::kEditEmpty);
  EXPECT_EQ(record->piece, 120);
  EXPECT_EQ(record->square, 56);

  for (const char* text : {"ze4", "pe9", "pi4", "pe", "pe4 ", "Pe4"}) {
    EXPECT_FALSE(ParsePlacement(text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

TEST_F(ParserTest, MoveWithAndWithoutPromotion) {
  ASSERT_TRUE(ParseMove(CommandId::kUserMove, "e2e4"));
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kUserMove);
  EXPECT_EQ(record->moveFrom, 52);
  EXPECT_EQ(record->moveTo, 36);
  EXPECT_EQ(record->movePromotion, -1);

  ASSERT_TRUE(ParseMove(CommandId::kUserMove, "e7e8q"));
  record = Posted();
  EXPECT_EQ(record->moveFrom, 12);
  EXPECT_EQ(record->moveTo, 4);
  EXPECT_EQ(record->movePromotion, 4);

  ASSERT_TRUE(ParseMove(CommandId::kUserMove, "a8h1"));
  record = Posted();
  EXPECT_EQ(record->moveFrom, 0);
  EXPECT_EQ(record->moveTo, 63);

  for (const char* text : {"e7e8k", "e7e8p", "e7e8z", "e9e4", "i2i4", "e2e", "e2e4qq", "E2E4", ""}) {
    EXPECT_FALSE(ParseMove(CommandId::kUserMove, text)) << text;
  }
  EXPECT_TRUE(NothingPosted());
}

}  // namespace
}  // namespace morvi
