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

class CommandTable : public EngineTest {};

TEST_F(CommandTable, ConsoleAndLogTextOfEachCommand) {
  const struct {
    CommandRecord record;
    const char* console;  // nullptr: some text, not compared (the board)
    std::string log;
  } rows[] = {
      {Cmd(CMD_DISPLAY), nullptr, "Print the board"},
      {Cmd(CMD_XBOARD), "", ""},
      {Cmd(CMD_FRITZ), "", "Engine: Not handled command: 3"},
      {Cmd(CMD_NEW), "", "Init engine and board"},
      {Cmd(CMD_QUIT), "Engine: Bye-bye 5 ****************\n", "Quiting"},
      {Cmd(CMD_RANDOM), "", "Random set to 1"},
      {Cmd(CMD_FORCE), "", "Force set"},
      {Cmd(CMD_WHITE), "", "White set to move - Engine playing black"},
      {Cmd(CMD_BLACK), "", "BLACK set to move - Engine playing white"},
      {Rec(CMD_LEVEL, [](auto& r) { r.levelMoves = 40, r.levelBase = 5, r.levelIncrement = 12; }), "",
       "Engine: Level 40 5 12"},
      {Rec(CMD_TIME, [](auto& r) { r.clockValue = 30000; }), "", "Engine: Time 30000 "},
      {Rec(CMD_OTIM, [](auto& r) { r.clockValue = -5; }), "", "Engine: Otim -5 "},
      {Cmd(CMD_GO), "", "Go morvi, go!"},
      {Cmd(CMD_MOVE_NOW), "", "Move now!"},
      {Cmd(CMD_DRAW), "offer draw\n", "offer draw\n"},  // the score after a reset: -1000000
      {Rec(CMD_RESULT, [](auto& r) { r.resultCode = 2, r.resultText = "{Black mates}"; }), "",
       "Engine: Result 2 {Black mates} "},
      {Cmd(CMD_HINT), "", ""},
      {Cmd(CMD_BOOK), "\tHey buster - play on and stop asking questions\n\tthis is not training program\n\n",
       "\tthis is not training program\n\n"},
      {Cmd(CMD_UNDO), "", "An UNDO processed"},
      {Cmd(CMD_REMOVE), "", "A REMOVE processed"},
      {Cmd(CMD_HARD), "", "Ponder from now on"},
      {Cmd(CMD_EASY), "", "Ponder is off from now on"},
      {Rec(CMD_PONDER_MOVE, [](auto& r) { r.moveFrom = 52, r.moveTo = 36, r.movePromotion = -1; }), "",
       "Engine: ponder from:52 to:36 promote: -1"},
      {Cmd(CMD_POST), "", "Thinking out loud from now on"},
      {Cmd(CMD_NOPOST), "", "Thinking quietly from now on"},
      {Cmd(CMD_ANALYZE), "", "Analysis mode entered"},
      {Cmd(CMD_EXIT), "", "Analysis mode exited"},
      {Cmd(CMD_STATUS), "stat01: 0 0 1 0 0\n", ""},
      {Rec(CMD_NAME, [](auto& r) { r.nameText = "Bob Fischer"; }), "", "Engine: name Bob Fischer \n"},
      {Rec(CMD_RATING, [](auto& r) { r.ratingOwn = 2100, r.ratingOpponent = 1900; }), "", "Engine: rating 2100 1900 "},
      {Cmd(CMD_EDIT), "", "Get into Edit Mode"},
      {Cmd(99), "", "Engine: Not handled command: 99"},
      {Cmd(0), "", "Engine: Not handled command: 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.log);
    Clean();
    thinker.rootMovesLeft = thinker.rootMoveCount = 0;
    thinker.clock = StepClock::Read;  // "new" calibrates at once
    StepClock::step = 1000;
    const Outcome out = Execute(row.record);
    EXPECT_EQ(out.quit, row.record.id == CMD_QUIT);
    EXPECT_EQ(out.console, row.console != nullptr ? row.console : out.console);
    EXPECT_FALSE(row.console == nullptr && out.console.empty());
    EXPECT_EQ(out.log, row.log);
  }
}

TEST_F(CommandTable, WhoseTurnLevelAndDraw) {
  EngineState& s = engineState;
  s.analysisDone = true;
  Execute(Cmd(CMD_BLACK));
  EXPECT_TRUE(position.SideToMove == kBlack && s.engineColour == kWhite && !s.analysisDone);
  s.analysisDone = true;
  Execute(Cmd(CMD_WHITE));
  EXPECT_TRUE(position.SideToMove == kWhite && s.engineColour == kBlack && !s.analysisDone);
  Execute(Cmd(CMD_FORCE));
  Execute(Cmd(CMD_GO));
  EXPECT_TRUE(s.engineActive && s.engineColour == kWhite);
  Execute(Rec(CMD_LEVEL, [](auto& r) { r.levelMoves = 40, r.levelBase = 30000000, r.levelIncrement = 12; }));
  EXPECT_TRUE(s.movesPerControl == 40 && s.baseTime == INT_MAX && s.increment == 1200);  // held to 32 bits
  thinker.pvTable[0][0].score = -4000;
  EXPECT_EQ(Execute(Cmd(CMD_DRAW)).console, "");
  EXPECT_TRUE(s.engineActive);
  thinker.pvTable[0][0].score = -4001;
  EXPECT_EQ(Execute(Cmd(CMD_DRAW)).console, "offer draw\n");
  EXPECT_FALSE(s.engineActive);
}

TEST_F(CommandTable, EditCommandsActOnlyInEditMode) {
  const struct {
    CommandRecord record;
    const char* error;
    const char* log;
  } rows[] = {
      {Cmd(CMD_EDIT_COLOUR), "Error (Change Color Command not in Edit mode)\n", "Edit color change to 1"},
      {Cmd(CMD_EDIT_CLEAR), "Error (Clear board Command not in Edit mode)\n", "Edit clear board"},
      {PlaceCmd(kQueen, "e4"), "Error (Add Piece Command not in Edit mode)\n", "Edit piece 4 at square 36 in color 1"},
      {Rec(CMD_EDIT_EMPTY, [](auto& r) { r.square = 36, r.piece = 'x'; }),
       "Error (Clear Square Command not in Edit mode)\n", "Edit clear square 36"},
      {Rec(CMD_EDIT_CASTLE, [](auto& r) { r.castleCode = 0; }),
       "Error (Change Castle Rights Command not in Edit mode)\n", "Edit castleright 0"},
      {Rec(CMD_EDIT_EP, [](auto& r) { r.square = 44; }), "Error (En Passant Command not in Edit mode)\n",
       "Edit En Passant at square 44"},
      {Cmd(CMD_EDIT_DONE), "Error (Leave Edit mode Command not in Edit mode)\n", "Leave edit mode"},
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
  Execute(Cmd(CMD_EDIT));
  for (const auto& row : rows) EXPECT_EQ(Execute(row.record).log, row.log);
  EXPECT_EQ(position.EpSquare, 44);
}

TEST_F(CommandTable, AnEditedPositionStartsTheGameAfresh) {
  openingBook.inBook = true;
  engineState.analysisDone = true;
  Play("e2e4");
  for (const CommandRecord& r : {Cmd(CMD_EDIT), Cmd(CMD_EDIT_CLEAR), PlaceCmd(kKing, "e1"), PlaceCmd(kRook, "h1"),
                                 Cmd(CMD_EDIT_COLOUR), PlaceCmd(kKing, "e8"), Cmd(CMD_WHITE)}) {
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
  Execute(Cmd(CMD_EDIT_DONE));
  EXPECT_FALSE(engineState.editMode || engineState.analysisDone);
  EXPECT_EQ(position.ArchiveCount, 1);
  // Take-backs stop at the edited position.
  const GameSnapshot edited = Snapshot();
  Execute(Cmd(CMD_UNDO));
  EXPECT_TRUE(Snapshot() == edited);
  EXPECT_EQ(Play("h1h5").log, "Engine: valid move from:63 to:31 promote: -1 ");
  Execute(Cmd(CMD_REMOVE));
  EXPECT_TRUE(Snapshot() == edited);
}

TEST_F(CommandTable, TakeBacksCountOnlyTheMovesTakenBack) {
  const GameSnapshot start = Snapshot();
  Execute(Cmd(CMD_UNDO));
  Execute(Cmd(CMD_REMOVE));
  EXPECT_TRUE(Snapshot() == start);

  Play("e2e4");
  const GameSnapshot afterE4 = Snapshot();
  Play("e7e5");
  EXPECT_EQ(engineState.moveNumber, 2);
  Execute(Cmd(CMD_UNDO));  // a Black move taken back
  EXPECT_TRUE(Snapshot() == afterE4);
  Play("e7e5");
  Play("g1f3");
  Execute(Cmd(CMD_REMOVE));  // g1f3 and e7e5
  EXPECT_TRUE(Snapshot() == afterE4);
  Execute(Cmd(CMD_REMOVE));  // only e2e4 is left to take back
  EXPECT_TRUE(Snapshot() == start);

  Play("e2e4");
  Play("e7e5");
  engineState.moveNumber = 1;
  Execute(Cmd(CMD_UNDO));
  EXPECT_EQ(engineState.moveNumber, 1);  // never below 1

  engineState.analysisMode = engineState.analysisDone = true;
  Execute(Cmd(CMD_UNDO));
  EXPECT_FALSE(engineState.analysisDone);
  engineState.analysisDone = true;
  Execute(Cmd(CMD_UNDO));  // nothing left to take back
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
    EXPECT_EQ(Execute(Cmd(CMD_NEW)).log, "Init engine and board");
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
        const Outcome out = Execute(Cmd(CMD_QUIT));
        std::_Exit(out.quit && out.console.empty() && out.log == "Quiting" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace morvi
