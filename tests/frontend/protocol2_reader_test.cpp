// The second version of the xboard protocol on the input thread: the switch
// and what it answers, the commands read only after it, and the seconds of
// "st".
#include "frontend/protocol2_reader.h"

#include <cstdlib>
#include <string>

#include "engine/session.h"
#include "frontend/queue_fixture.h"
#include "search/search_test_support.h"

namespace morvi {
namespace {

class Protocol2Reader : public QueueTest {
 protected:
  void SetUp() override {
    QueueTest::SetUp();
    SelectDialect(Dialect::kXboard);
    state.consoleMode = false;  // after "xboard"
    state.features = "feature done=1\n";
  }
  void TearDown() override {
    SelectDialect(Dialect::kXboard);
    QueueTest::TearDown();
  }
  // Recognises the line; returns what it wrote.
  std::string Written(std::string_view line, Recognition expected = Recognition::Handled) {
    testing::StdoutCapture capture;
    EXPECT_EQ(RecognizeCommand(state, line), expected) << line;
    return capture.Text();
  }
  FrontEndState state;
};

TEST_F(Protocol2Reader, ProtoverTwoOrMoreSwitchesOutsideConsoleModeOnly) {
  state.consoleMode = true;
  EXPECT_EQ(Written("protover 2", Recognition::Unknown), "");
  state.consoleMode = false;
  for (const char* line : {"protover", "protover 1", "protover two", "protover 2x"}) {
    EXPECT_EQ(Written(line, Recognition::Unknown), "") << line;
  }
  EXPECT_FALSE(Protocol2());
  EXPECT_TRUE(NothingPosted());

  EXPECT_EQ(Written("PROTOVER 2"), "feature done=1\n");
  EXPECT_TRUE(Protocol2());
  auto record = Posted();
  EXPECT_EQ(record->id, CommandId::kProtover);
  EXPECT_EQ(record->number, 2);
}

TEST_F(Protocol2Reader, TheSecondVersionsCommandsAreReadOnlyAfterTheSwitch) {
  EXPECT_EQ(Written("ping 1", Recognition::Unknown), "");
  EXPECT_EQ(Written("computer", Recognition::Unknown), "");
  SelectDialect(Dialect::kXboard2);

  EXPECT_EQ(Written("ping 17"), "");
  auto ping = Posted();
  EXPECT_EQ(ping->id, CommandId::kPing);
  EXPECT_EQ(ping->argument, "17");

  // The FEN keeps its letter case; the blanks around it go.
  Written("setboard  rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1 ");
  auto setboard = Posted();
  EXPECT_EQ(setboard->id, CommandId::kSetboard);
  EXPECT_EQ(setboard->argument, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");

  Written("usermove E7E8N");
  auto move = Posted();
  EXPECT_EQ(move->id, CommandId::kUserMove);
  EXPECT_EQ(move->moveFrom, 12);
  EXPECT_EQ(move->moveTo, 4);
  EXPECT_EQ(move->movePromotion, 1);
  EXPECT_EQ(Written("usermove e2e9"), "Illegal move: e2e9\n");  // refused here: no move of that form
  EXPECT_TRUE(NothingPosted());

  const struct {
    const char* line;
    CommandId id;
    int number;
  } counted[] = {{"st 30", CommandId::kSt, 30000}, {"st 0.5", CommandId::kSt, 500},
                 {"sd 7", CommandId::kSd, 7},      {"memory 64", CommandId::kMemory, 64},
                 {"cores 2", CommandId::kCores, 2}};
  for (const auto& row : counted) {
    Written(row.line);
    auto record = Posted();
    EXPECT_EQ(record->id, row.id) << row.line;
    EXPECT_EQ(record->number, row.number) << row.line;
  }
  for (const char* line : {"st", "st -1", "st x", "sd -2", "sd", "memory 1.5", "ping", "option"}) {
    EXPECT_EQ(Written(line, Recognition::Unknown), "") << line;
  }

  Written("option Hash=64");
  EXPECT_EQ(Posted()->argument, "Hash=64");
  Written("ponder off");
  EXPECT_EQ(Posted()->id, CommandId::kEasy);
  Written("ponder on");
  EXPECT_EQ(Posted()->id, CommandId::kHard);
  Written("ponder e2e4");  // the first version's form is still read
  EXPECT_EQ(Posted()->id, CommandId::kPonderMove);

  for (const char* line : {"accepted usermove", "rejected san", "computer", "ics -", "egtpath syzygy /x"}) {
    EXPECT_EQ(Written(line), "") << line;
  }
  EXPECT_TRUE(NothingPosted());
  // The first version's commands read as they always are.
  Written("level 40 0:20 0");
  EXPECT_EQ(Posted()->id, CommandId::kLevel);
}

// Clocks and controls as xboard sends them: a clock that has run out is
// negative, an increment may have a fraction, a base may be MINUTES:SECONDS.
// The first version reads them as it always has; "random" is taken in
// silence in the second (xboard sends it before every game).
TEST_F(Protocol2Reader, ClocksLevelsAndRandomInEachVersion) {
  const struct {
    const char* line;
    int clockValue;  // time and otim
    int levelBase;
    int levelIncrementMs;  // -1: whole seconds, in levelIncrement
    int levelIncrement;
  } rows[] = {
      {"time -150", -150, 0, 0, 0},         {"otim -1", -1, 0, 0, 0},
      {"time 6000", 6000, 0, 0, 0},         {"level 0 1 0.5", 0, 60, 500, 0},
      {"level 40 0:20 0", 0, 20, 0, 0},     {"level 0 2:30 1.25", 0, 150, 1250, 1},
      {"level 40 5 12", 0, 300, 12000, 12},
  };
  for (Dialect dialect : {Dialect::kXboard, Dialect::kXboard2}) {
    SelectDialect(dialect);
    const bool second = dialect == Dialect::kXboard2;
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.line) + (second ? " (protocol 2)" : " (protocol 1)"));
      Written(row.line);
      auto record = Posted();
      ASSERT_NE(record, nullptr);
      if (record->id == CommandId::kLevel) {
        EXPECT_EQ(record->levelBase, row.levelBase);
        EXPECT_EQ(record->levelIncrementMs, second ? row.levelIncrementMs : -1);
        EXPECT_EQ(record->levelIncrement, row.levelIncrement);
      } else {
        // The first version skips a minus sign: its clocks are never negative.
        EXPECT_EQ(record->clockValue, second ? row.clockValue : std::abs(row.clockValue));
      }
    }
    for (const char* line : {"level 0 1", "level 0 1 x", "time x"}) {
      if (!second) break;  // the first version reads any digits it finds
      Written(line, Recognition::Unknown);
      EXPECT_TRUE(NothingPosted()) << line;
    }
    Written("random");
    if (second) {
      EXPECT_TRUE(NothingPosted());
    } else {
      EXPECT_EQ(Posted()->id, CommandId::kRandom);
    }
  }
}

TEST(ReadSeconds, WholeAndFractionalSecondsInMilliseconds) {
  const struct {
    const char* text;
    bool ok;
    int ms;
  } rows[] = {{"5", true, 5000},   {"0.5", true, 500},  {"1.25", true, 1250}, {".3", true, 300},
              {"2.", true, 2000},  {"0", true, 0},      {"1.0009", true, 1000}, {"", false, 0},
              {".", false, 0},     {"-1", false, 0},    {"1e3", false, 0},      {"86401", false, 0},
              {"99999999999", false, 0}};
  for (const auto& row : rows) {
    int ms = -7;
    EXPECT_EQ(ReadSeconds(row.text, ms), row.ok) << row.text;
    if (row.ok) {
      EXPECT_EQ(ms, row.ms) << row.text;
    }
  }
}

}  // namespace
}  // namespace morvi
