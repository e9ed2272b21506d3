// One pass of the engine loop, run on the test's own thread with the clock
// and the queue scripted: pondering that hits, misses or is refused, a hit
// followed by an aborting command, book moves, analysis, the limit given to
// the search, positions that cannot be played; and the engine thread's end.
#include "engine/engine_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine/engine_thread.h"
#include "engine/pondering.h"
#include "engine/user_move.h"
#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

class Pass : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    thinker.heartbeatMask = 0;  // every node looks at the queue
  }
  // Runs the pass; returns its console text.
  static std::string Run(bool expected = true) {
    StdoutCapture capture;
    EXPECT_EQ(RunPass(), expected);
    return capture.Text();
  }
  // The engine (White) played e2e4 and its search expects e7e5.
  static void EnginePlayedE2E4() {
    Play("e2e4");
    engineState.engineColour = Colour::kWhite;
    thinker.pvTable[0][1] = {FindGeneratedMove(Sq("e7"), Sq("e5"), -1), 0};
    thinker.pvLength[0] = 2;
  }
  static bool Logged(LogTap& log, const std::string& record) {
    const auto records = log.Records();
    return std::find(records.begin(), records.end(), record) != records.end();
  }
};

TEST_F(Pass, PonderHitThenAbortKeepsTheOpponentsMove) {
  EnginePlayedE2E4();
  Queue(MoveCmd("e7e5"));
  Queue(Cmd(CommandId::kForce));
  LogTap log;
  EXPECT_EQ(Run(), "");
  const EngineState& s = engineState;
  EXPECT_FALSE(s.pondering || s.ponderHit || s.engineActive);
  EXPECT_EQ(position.SquarePiece[Sq("e5")], kPawn);
  EXPECT_EQ(position.ArchiveCount, 3);
  EXPECT_EQ(openingBook.gameText, "e2e4e7e5");
  EXPECT_EQ(s.moveNumber, 2);
  ASSERT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(PeekCommand()->id, CommandId::kForce);
  EXPECT_TRUE(Logged(log, "Engine: YES!!! GOOD PONDERING CHOICE!"));
  EXPECT_FALSE(Logged(log, "Thinker: ABORT PONDERING"));
}

TEST_F(Pass, PonderHitThenMoveNowPlaysTheAnswer) {
  EnginePlayedE2E4();
  Queue(MoveCmd("e7e5"));
  Queue(Cmd(CommandId::kMoveNow));  // no root move yet: the budget is spent instead
  const std::string text = Run();
  EXPECT_EQ(text.rfind("2. ... ", 0), 0u) << text;
  EXPECT_FALSE(engineState.pondering || engineState.ponderHit);
  EXPECT_TRUE(engineState.engineActive);
  EXPECT_EQ(engineState.moveNumber, 2);
  EXPECT_EQ(position.ArchiveCount, 4);
}

TEST_F(Pass, PonderMissTakesThePredictionBack) {
  EnginePlayedE2E4();
  const GameSnapshot before = Snapshot();
  Queue(MoveCmd("c7c5"));
  LogTap log;
  EXPECT_EQ(Run(), "");
  EXPECT_TRUE(Snapshot() == before);
  EXPECT_TRUE(engineState.ponderFinished && !engineState.pondering);
  ASSERT_EQ(QueuedCount(), 1u);
  EXPECT_EQ(PeekCommand()->moveFrom, Sq("c7"));
  EXPECT_TRUE(Logged(log, "Engine: Oops - ponder move WRONG!"));
  EXPECT_TRUE(Logged(log, "Thinker: ABORT PONDERING"));
  EXPECT_EQ(MoveFromByte(HintMove()), 255);  // the ponder line is no hint for this position
  EXPECT_EQ(Run(false), "");  // no second ponder search on this turn
  engineState.ponderFinished = false;
  openingBook.inBook = true;  // nor while the game follows the book
  EXPECT_EQ(Run(false), "");
}

TEST_F(Pass, BookMoveIsPlayedOnlyWhenGenerated) {
  const std::string saved = config.bookPath;
  config.bookPath = (std::filesystem::temp_directory_path() / "morvi-engine-test.book").string();
  for (const char* line : {"e2e4e7e5\n", "e2e5e7e5\n"}) {
    SCOPED_TRACE(line);
    Clean();
    thinker.heartbeatMask = 0;
    std::ofstream(config.bookPath) << line;
    BookLoadSeeded(1);
    engineState.engineColour = Colour::kWhite;
    Queue(Cmd(CommandId::kMoveNow));  // ends a search at its first root move
    const std::string text = Run();
    EXPECT_EQ(text.rfind("1. ... ", 0), 0u) << text;
    const bool fromBook = line[3] == '4';
    EXPECT_EQ(searchCounters.nodes == 0, fromBook);
    EXPECT_TRUE(!fromBook || text.rfind("1. ... e2e4\nScore: 0.00 Evals/Nodes: 3/0 ", 0) == 0) << text;
  }
  std::filesystem::remove(config.bookPath);
  config.bookPath = saved;
}

TEST_F(Pass, AnalysisSearchesEachPositionOnce) {
  Execute(Cmd(CommandId::kAnalyze));
  engineState.postEnabled = false;
  Queue(MoveCmd("e2e4"));  // stops the search, then is entered
  EXPECT_EQ(Run(), "");
  // A search stopped for a command is taken up again after it.
  EXPECT_TRUE(!engineState.analysisDone && engineState.searchAborted);
  EXPECT_EQ(engineState.engineColour, Colour::kWhite);
  std::string logText;
  ExecuteCommand(TakeCommand(), logText);
  EXPECT_FALSE(engineState.analysisDone);
  Queue(MoveCmd("e7e5"));
  EXPECT_EQ(Run(), "");  // an analysis plays nothing
  EXPECT_EQ(engineState.engineColour, Colour::kBlack);
  EXPECT_EQ(position.ArchiveCount, 2);
  // "?" stops the analysis and makes the engine active, but in analysis mode
  // it never plays.
  ExecuteCommand(TakeCommand(), logText);  // e7e5
  Queue(Cmd(CommandId::kMoveNow));
  EXPECT_EQ(Run(), "");
  EXPECT_TRUE(engineState.analysisDone && engineState.engineActive);
  EXPECT_EQ(QueuedCount(), 0u);
  EXPECT_EQ(Run(false), "");
  EXPECT_EQ(position.ArchiveCount, 3);
}

TEST_F(Pass, ThinkIsGivenTheSafeLimit) {
  const struct {
    const char* name;
    int moves, base, increment, own, moveNumber, limit;
  } rows[] = {
      {"move 39 of level 40 5 0, 10 s left", 40, 30000, 0, 1000, 39, 898},
      {"level 0 1 5, one second left", 0, 100, 500, 100, 1, 80},
      {"tiny clock", 40, 30000, 0, 10, 1, 0},
      {"negative clock", 40, 30000, 0, -1, 1, 0},
      {"no time received", 40, 30000, 0, 0, 1, 1153},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Clean();
    thinker.heartbeatMask = 0;
    EngineState& s = engineState;
    s.movesPerControl = row.moves, s.baseTime = row.base, s.increment = row.increment;
    s.ownTime = row.own, s.moveNumber = row.moveNumber;
    Execute(Cmd(CommandId::kGo));
    Queue(Cmd(CommandId::kForce));  // ends the search at its first node
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(thinker.allocatedTime, row.limit);
    EXPECT_TRUE(s.searchAborted && !s.engineActive);
  }
}

TEST_F(Pass, PositionsThatCannotBePlayedAreRefused) {
  const char* unplayable = "Error (Illegal position - the engine cannot play it)\n";
  const struct {
    const char* name;
    bool blackKing;  // else Black has none
    CommandId command;
  } rows[] = {
      {"no king, engine to move", false, CommandId::kGo},
      {"no king, pondering", false, CommandId::kWhite},
      {"no king, analysing", false, CommandId::kAnalyze},
      {"the side not to move in check", true, CommandId::kGo},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Clean();
    thinker.clock = StepClock::Read;  // should a search start, it ends at once
    StepClock::step = 1000;
    thinker.heartbeatMask = 255;
    thinker.pvTable[0][1] = {MakeMoveWord(Sq("e8"), Sq("d8"), 255, 0), 0};
    thinker.pvLength[0] = 2;
    for (const CommandRecord& r : {Cmd(CommandId::kEdit), Cmd(CommandId::kEditClear), PlaceCmd(kKing, "e1"), PlaceCmd(kRook, "e4"),
                                   Cmd(CommandId::kEditColour), PlaceCmd(row.blackKing ? kKing : kPawn, "e8")}) {
      Execute(r);  // without a black king the pawn on e8 is refused
    }
    Execute(Cmd(CommandId::kEditDone));
    Execute(Cmd(row.command));
    engineState.postEnabled = false;
    const GameSnapshot before = Snapshot();
    LogTap log;
    EXPECT_EQ(Run(), unplayable);
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_NE(log.Raw().find(std::string("    Engine: ") + unplayable), std::string::npos);
    EXPECT_TRUE(row.command == CommandId::kAnalyze ? engineState.analysisDone : !engineState.engineActive);
    EXPECT_EQ(Run(false), "");
  }
  // The user may take the king in check; the engine still does not play.
  Execute(Cmd(CommandId::kWhite));
  EXPECT_EQ(Play("e4e8").console, "");
  Execute(Cmd(CommandId::kGo));
  EXPECT_EQ(Run(), unplayable);
}

TEST_F(Pass, QuitEndsTheThreadWithoutAnotherPass) {
  Queue(Rec(CommandId::kName, [](auto& r) { r.nameText = "Bob"; }));
  Queue(Cmd(CommandId::kBook));
  Queue(Cmd(CommandId::kGo));  // the engine would move now, were there a pass
  Queue(Cmd(CommandId::kQuit));
  thinker.clock = StepClock::Read;  // the calibration's 30 centiseconds pass at once
  StepClock::step = 1000;
  LogTap log;
  StdoutCapture capture;
  EngineThread();
  EXPECT_EQ(capture.Text(),
            "\ntelluser Morvi V(1.19c)\n\tHey buster - play on and stop asking questions\n"
            "\tthis is not training program\n\nEngine: Bye-bye 5 ****************\n");
  const std::string raw = log.Raw();
  EXPECT_NE(raw.find("   Eng-out: Morvi Chess engine started - Version 1.19c \n"), std::string::npos) << raw;
  EXPECT_NE(raw.find("   Command: Engine: name Bob \n   Command: \tthis is not training program\n\n"
                     "   Command: Go morvi, go! \n   Command: Quiting \n"),
            std::string::npos)
      << raw;
  EXPECT_EQ(searchCounters.nodes, 0);
}

}  // namespace
}  // namespace morvi
