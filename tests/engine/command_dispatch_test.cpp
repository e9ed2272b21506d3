// The command table between two passes: each command's effect, console text
// and "Command" log text; edit commands outside and inside edit mode;
// take-backs; "new" with its calibration; the quiet quit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "engine/engine_pass.h"
#include "engine/init_engine.h"
#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h
using enum Colour;

class CommandTable : public EngineTest {};

TEST_F(CommandTable, ConsoleAndLogTextOfEachCommand) {
  const struct {
    CommandRecord record;
    const char* console;  // nullptr: some text, not compared (the board)
    std::string log;
  } rows[] = {
      {Cmd(CommandId::kDisplay), nullptr, "Print the board"},
      {Cmd(CommandId::kXboard), "", ""},
      {Cmd(CommandId::kFritz), "", "Engine: Not handled command: 3"},
      {Cmd(CommandId::kNew), "", "Init engine and board"},
      {Cmd(CommandId::kQuit), "Engine: Bye-bye 5 ****************\n", "Quiting"},
      {Cmd(CommandId::kRandom), "", "Random set to 1"},
      {Cmd(CommandId::kForce), "", "Force set"},
      {Cmd(CommandId::kWhite), "", "White set to move - Engine playing black"},
      {Cmd(CommandId::kBlack), "", "BLACK set to move - Engine playing white"},
      {Rec(CommandId::kLevel, [](auto& r) { r.levelMoves = 40, r.levelBase = 5, r.levelIncrement = 12; }), "",
       "Engine: Level 40 5 12"},
      {Rec(CommandId::kTime, [](auto& r) { r.clockValue = 30000; }), "", "Engine: Time 30000 "},
      {Rec(CommandId::kOtim, [](auto& r) { r.clockValue = -5; }), "", "Engine: Otim -5 "},
      {Cmd(CommandId::kGo), "", "Go morvi, go!"},
      {Cmd(CommandId::kMoveNow), "", "Move now!"},
      {Cmd(CommandId::kDraw), "offer draw\n", "offer draw\n"},  // the score after a reset: -1000000
      {Rec(CommandId::kResult, [](auto& r) { r.resultCode = 2, r.resultText = "{Black mates}"; }), "",
       "Engine: Result 2 {Black mates} "},
      {Cmd(CommandId::kHint), "", ""},
      {Cmd(CommandId::kBook), "\tHey buster - play on and stop asking questions\n\tthis is not training program\n\n",
       "\tthis is not training program\n\n"},
      {Cmd(CommandId::kUndo), "", "An UNDO processed"},
      {Cmd(CommandId::kRemove), "", "A REMOVE processed"},
      {Cmd(CommandId::kHard), "", "Ponder from now on"},
      {Cmd(CommandId::kEasy), "", "Ponder is off from now on"},
      {Rec(CommandId::kPonderMove, [](auto& r) { r.moveFrom = 52, r.moveTo = 36, r.movePromotion = -1; }), "",
       "Engine: ponder from:52 to:36 promote: -1"},
      {Cmd(CommandId::kPost), "", "Thinking out loud from now on"},
      {Cmd(CommandId::kNopost), "", "Thinking quietly from now on"},
      {Cmd(CommandId::kAnalyze), "", "Analysis mode entered"},
      {Cmd(CommandId::kExit), "", "Analysis mode exited"},
      {Cmd(CommandId::kStatus), "stat01: 0 0 1 0 0\n", ""},
      {Rec(CommandId::kName, [](auto& r) { r.nameText = "Bob Fischer"; }), "", "Engine: name Bob Fischer \n"},
      {Rec(CommandId::kRating, [](auto& r) { r.ratingOwn = 2100, r.ratingOpponent = 1900; }), "", "Engine: rating 2100 1900 "},
      {Cmd(CommandId::kEdit), "", "Get into Edit Mode"},
      {Cmd(static_cast<CommandId>(99)), "", "Engine: Not handled command: 99"},
      {Cmd(CommandId::kNone), "", "Engine: Not handled command: 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.log);
    Clean();
    thinker.rootMovesLeft = thinker.rootMoveCount = 0;
    thinker.clock = StepClock::Read;  // "new" calibrates at once
    StepClock::step = 1000;
    const Outcome out = Execute(row.record);
    EXPECT_EQ(out.quit, row.record.id == CommandId::kQuit);
    EXPECT_EQ(out.console, row.console != nullptr ? row.console : out.console);
    EXPECT_FALSE(row.console == nullptr && out.console.empty());
    EXPECT_EQ(out.log, row.log);
  }
}

TEST_F(CommandTable, WhoseTurnLevelAndDraw) {
  EngineState& s = engineState;
  s.analysisDone = true;
  Execute(Cmd(CommandId::kBlack));
  EXPECT_TRUE(position.SideToMove == kBlack && s.engineColour == kWhite && !s.analysisDone);
  s.analysisDone = true;
  Execute(Cmd(CommandId::kWhite));
  EXPECT_TRUE(position.SideToMove == kWhite && s.engineColour == kBlack && !s.analysisDone);
  Execute(Cmd(CommandId::kForce));
  Execute(Cmd(CommandId::kGo));
  EXPECT_TRUE(s.engineActive && s.engineColour == kWhite);
  Execute(Rec(CommandId::kLevel, [](auto& r) { r.levelMoves = 40, r.levelBase = 30000000, r.levelIncrement = 12; }));
  EXPECT_TRUE(s.movesPerControl == 40 && s.baseTime == INT_MAX && s.increment == 1200);  // held to 32 bits
  thinker.pvTable[0][0].score = -4000;
  EXPECT_EQ(Execute(Cmd(CommandId::kDraw)).console, "");
  EXPECT_TRUE(s.engineActive);
  thinker.pvTable[0][0].score = -4001;
  EXPECT_EQ(Execute(Cmd(CommandId::kDraw)).console, "offer draw\n");
  EXPECT_FALSE(s.engineActive);
}

TEST_F(CommandTable, EditCommandsActOnlyInEditMode) {
  const struct {
    CommandRecord record;
    const char* error;
    const char* log;
  } rows[] = {
      {Cmd(CommandId::kEditColour), "Error (Change Color Command not in Edit mode)\n", "Edit color change to 1"},
      {Cmd(CommandId::kEditClear), "Error (Clear board Command not in Edit mode)\n", "Edit clear board"},
      {PlaceCmd(kQueen, "e4"), "Error (Add Piece Command not in Edit mode)\n", "Edit piece 4 at square 36 in color 1"},
      {Rec(CommandId::kEditEmpty, [](auto& r) { r.square = 36, r.piece = 'x'; }),
       "Error (Clear Square Command not in Edit mode)\n", "Edit clear square 36"},
      {Rec(CommandId::kEditCastle, [](auto& r) { r.castleCode = 0; }),
       "Error (Change Castle Rights Command not in Edit mode)\n", "Edit castleright 0"},
      {Rec(CommandId::kEditEp, [](auto& r) { r.square = 44; }), "Error (En Passant Command not in Edit mode)\n",
       "Edit En Passant at square 44"},
      {Cmd(CommandId::kEditDone), "Error (Leave Edit mode Command not in Edit mode)\n", "Leave edit mode"},
  };
  Play("e2e4");
  const GameSnapshot before = Snapshot();
  for (const auto& row : rows) {
    const Outcome out = Execute(row.record);
    EXPECT_EQ(out.console, row.error);
    EXPECT_EQ(out.log, row.error);
    EXPECT_TRUE(Snapshot() == before) << row.error;
    EXPECT_FALSE(engineState.editMode || engineState.editColour != kWhite);
  }
  Execute(Cmd(CommandId::kEdit));
  for (const auto& row : rows) EXPECT_EQ(Execute(row.record).log, row.log);
  EXPECT_EQ(position.EpSquare, 44);
}

TEST_F(CommandTable, AnEditedPositionStartsTheGameAfresh) {
  openingBook.inBook = true;
  engineState.analysisDone = true;
  Play("e2e4");
  for (const CommandRecord& r : {Cmd(CommandId::kEdit), Cmd(CommandId::kEditClear), PlaceCmd(kKing, "e1"), PlaceCmd(kRook, "h1"),
                                 Cmd(CommandId::kEditColour), PlaceCmd(kKing, "e8"), Cmd(CommandId::kWhite)}) {
    Execute(r);
  }
  EXPECT_FALSE(openingBook.inBook);
  EXPECT_EQ(openingBook.gameText, "");
  // No pass runs while the board is being edited, even on the engine's turn
  // (should one search, the clock ends it at once).
  engineState.engineColour = position.SideToMove;
  thinker.clock = StepClock::Read, StepClock::step = 1000, thinker.heartbeatMask = 255;
  EXPECT_FALSE(RunPass());
  EXPECT_EQ(searchCounters.nodes, 0);
  engineState.analysisDone = true;
  Execute(Cmd(CommandId::kEditDone));
  EXPECT_FALSE(engineState.editMode || engineState.analysisDone);
  EXPECT_EQ(position.ArchiveCount, 1);
  // Take-backs stop at the edited position.
  const GameSnapshot edited = Snapshot();
  Execute(Cmd(CommandId::kUndo));
  EXPECT_TRUE(Snapshot() == edited);
  EXPECT_EQ(Play("h1h5").log, "Engine: valid move from:63 to:31 promote: -1 ");
  Execute(Cmd(CommandId::kRemove));
  EXPECT_TRUE(Snapshot() == edited);
}

TEST_F(CommandTable, TakeBacksCountOnlyTheMovesTakenBack) {
  const GameSnapshot start = Snapshot();
  Execute(Cmd(CommandId::kUndo));
  Execute(Cmd(CommandId::kRemove));
  EXPECT_TRUE(Snapshot() == start);

  Play("e2e4");
  const GameSnapshot afterE4 = Snapshot();
  Play("e7e5");
  EXPECT_EQ(engineState.moveNumber, 2);
  Execute(Cmd(CommandId::kUndo));  // a Black move taken back
  EXPECT_TRUE(Snapshot() == afterE4);
  Play("e7e5");
  Play("g1f3");
  Execute(Cmd(CommandId::kRemove));  // g1f3 and e7e5
  EXPECT_TRUE(Snapshot() == afterE4);
  Execute(Cmd(CommandId::kRemove));  // only e2e4 is left to take back
  EXPECT_TRUE(Snapshot() == start);

  Play("e2e4");
  Play("e7e5");
  engineState.moveNumber = 1;
  Execute(Cmd(CommandId::kUndo));
  EXPECT_EQ(engineState.moveNumber, 1);  // never below 1

  engineState.analysisMode = engineState.analysisDone = true;
  Execute(Cmd(CommandId::kUndo));
  EXPECT_FALSE(engineState.analysisDone);
  engineState.analysisDone = true;
  Execute(Cmd(CommandId::kUndo));  // nothing left to take back
  EXPECT_TRUE(engineState.analysisDone);
}

TEST(HeartbeatMask, HalfThePowerOfTwoNotBelowTheCount) {
  EXPECT_EQ(HeartbeatMaskFor(640), 511);
  EXPECT_EQ(HeartbeatMaskFor(512), 255);
  EXPECT_EQ(HeartbeatMaskFor(64), 31);
}

TEST_F(CommandTable, NewResetsTheGameAndReusesTheCalibration) {
  EngineState& s = engineState;
  // A second passes at every look at the clock: the calibration stops at its
  // first look, after 64 evaluations.
  thinker.clock = StepClock::Read;
  StepClock::step = 1000;
  CalibrateHeartbeat(thinker.clock);
  EXPECT_EQ(CalibratedHeartbeatMask(), 31);

  Play("e2e4");
  s.moveNumber = 7, s.movesPerControl = 40, s.baseTime = 30000, s.ownTime = 100;
  s.analysisMode = evalSettings.randomTerm = true;
  const int clockBefore = StepClock::now;
  {
    LogTap log;
    EXPECT_EQ(Execute(Cmd(CommandId::kNew)).log, "Init engine and board");
    EXPECT_EQ(log.Records("Engine"), (std::vector<std::string>{"Heartbeat is 31"}));
  }
  EXPECT_EQ(StepClock::now, clockBefore);  // a new game measures nothing again
  EXPECT_EQ(thinker.heartbeatMask, 31);
  EXPECT_EQ(s.moveNumber + s.movesPerControl + s.baseTime + s.ownTime, 1);
  EXPECT_TRUE(s.analysisMode && evalSettings.randomTerm);
  EXPECT_EQ(position.SquarePiece[Sq("e2")], kPawn);
  EXPECT_EQ(position.ArchiveCount, 1);

  // A fast machine: a millisecond per look, 300 looks, 19200 evaluations.
  // The mask is logged as calibrated; the search polls every 2048 nodes.
  StepClock::step = 1;
  CalibrateHeartbeat(thinker.clock);
  LogTap log;
  InitEngine();
  EXPECT_EQ(CalibratedHeartbeatMask(), 16383);
  EXPECT_EQ(thinker.heartbeatMask, 2047);
  EXPECT_EQ(log.Records("Engine"), (std::vector<std::string>{"Heartbeat is 16383"}));
}

TEST(QuitDeathTest, QuietQuitWritesNoFarewell) {
  // RequestQuietQuit lasts for the process: it runs in a child of its own.
  EXPECT_EXIT(
      {
        RequestQuietQuit();
        const Outcome out = Execute(Cmd(CommandId::kQuit));
        std::_Exit(out.quit && out.console.empty() && out.log == "Quiting" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace morvi
