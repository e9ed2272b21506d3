// Commands that arrive during a search: the verdict on each and what it
// changes on the spot, the ponder hit, the expected reply played for
// pondering, and the hint.
#include "engine/xboard_session.h"

#include <gtest/gtest.h>

#include <tuple>

#include "engine/pondering.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

Move Generated(const char* text) {
  const CommandRecord r = MoveCmd(text);
  return FindGeneratedMove(r.moveFrom, r.moveTo, r.movePromotion);
}

class InSearch : public EngineTest {
 protected:
  // The verdict, with the console text it wrote.
  static Verdict VerdictOn(CommandRecord r, std::string* console = nullptr) {
    StdoutCapture capture;
    const Verdict verdict = XboardVerdict(r);
    if (console != nullptr) *console = capture.Text();
    return verdict;
  }
  // The engine (White) has played e2e4 expecting e7e5, now on the board.
  static void PonderOnE7E5() {
    Play("e2e4");
    engineState.engineColour = Colour::kWhite;
    thinker.pvTable[0][1] = {Generated("e7e5"), 0};
    thinker.pvLength[0] = 2;
    ASSERT_TRUE(StartPondering());
    engineState.pondering = true;
    ClearLines(thinker);
  }
};

TEST_F(InSearch, VerdictTable) {
  EngineState& s = engineState;
  for (CommandId id : {CommandId::kDisplay, CommandId::kRandom, CommandId::kTime, CommandId::kOtim, CommandId::kHint, CommandId::kPost, CommandId::kNopost, CommandId::kStatus, CommandId::kName,
                 CommandId::kRating, CommandId::kDraw, CommandId::kBook, CommandId::kHard, CommandId::kEasy}) {
    EXPECT_EQ(VerdictOn(Cmd(id)), Verdict::kContinue) << static_cast<int>(id);
  }

  // The game itself changes only between searches: stop, leave it queued.
  Play("e2e4");
  const GameSnapshot game = Snapshot();
  const auto state = [&] {
    return std::make_tuple(s.engineColour, s.engineActive, s.ponderEnabled, s.analysisMode, s.editMode, s.moveNumber,
                           s.movesPerControl, s.ownTime);
  };
  const auto before = state();
  for (CommandId id :
       std::initializer_list<CommandId>{CommandId::kXboard,     CommandId::kFritz,       CommandId::kNew,         CommandId::kQuit,      CommandId::kForce,
                                  CommandId::kWhite,      CommandId::kBlack,       CommandId::kLevel,       CommandId::kGo,        CommandId::kResult,
                                  CommandId::kUndo,       CommandId::kRemove,      CommandId::kPonderMove, CommandId::kAnalyze,   CommandId::kExit,
                                  CommandId::kEdit,       CommandId::kEditColour, CommandId::kEditClear,  CommandId::kEditDone, CommandId::kEditPlace,
                                  CommandId::kEditEmpty, CommandId::kEditCastle, CommandId::kEditEp,     CommandId::kUserMove, CommandId::kUci}) {
    std::string console;
    LogTap log;
    EXPECT_EQ(VerdictOn(Cmd(id), &console), Verdict::kAbort) << static_cast<int>(id);
    EXPECT_EQ(console, "") << static_cast<int>(id);
    EXPECT_TRUE(log.Records().empty()) << static_cast<int>(id);
    EXPECT_TRUE(state() == before && Snapshot() == game) << static_cast<int>(id);
  }
}

// "random" switches the evaluation's random term, during a search silently
// and between searches with its log line.
TEST_F(InSearch, RandomSwitchesTheEvaluationSetting) {
  std::string console;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kRandom), &console), Verdict::kContinue);
  EXPECT_EQ(console, "");
  EXPECT_TRUE(evalSettings.randomTerm);
  EXPECT_EQ(Execute(Cmd(CommandId::kRandom)).log, "Random set to 0");
  EXPECT_FALSE(evalSettings.randomTerm);
  VerdictOn(Cmd(CommandId::kRandom));
  VerdictOn(Cmd(CommandId::kRandom));
  EXPECT_EQ(Execute(Cmd(CommandId::kRandom)).log, "Random set to 1");
}

TEST_F(InSearch, MoveNowDrawAndEasyDependOnTheSearch) {
  EngineState& s = engineState;
  Thinker& t = thinker;
  const struct {
    const char* name;
    CommandId id;
    bool pondering, hit, rootMove;
    Verdict verdict;
    int allocatedTime;
  } rows[] = {
      {"? with a root move", CommandId::kMoveNow, false, false, true, Verdict::kWrapUp, 1000},
      {"? before any root move", CommandId::kMoveNow, false, false, false, Verdict::kContinue, 0},
      {"? while pondering", CommandId::kMoveNow, true, false, false, Verdict::kWrapUp, 1000},
      {"? after a hit", CommandId::kMoveNow, true, true, false, Verdict::kContinue, 0},
      {"easy while pondering", CommandId::kEasy, true, false, false, Verdict::kAbort, 1000},
      {"easy after a hit", CommandId::kEasy, true, true, false, Verdict::kContinue, 1000},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Clean();
    s.engineActive = false;
    s.pondering = row.pondering, s.ponderHit = row.hit;
    if (row.rootMove) t.pvTable[0][0] = {Generated("e2e4"), 0}, t.pvLength[0] = 1;
    EXPECT_EQ(VerdictOn(Cmd(row.id)), row.verdict);
    EXPECT_EQ(t.allocatedTime, row.allocatedTime);
    EXPECT_EQ(s.engineActive, row.id == CommandId::kMoveNow);
    EXPECT_EQ(s.ponderEnabled, row.verdict == Verdict::kAbort || row.id == CommandId::kMoveNow);
  }
  Clean();
  std::string console;
  t.lastScore = -4000;
  VerdictOn(Cmd(CommandId::kDraw), &console);
  EXPECT_EQ(console, "");
  t.lastScore = -4001;
  VerdictOn(Cmd(CommandId::kDraw), &console);
  EXPECT_EQ(console, "offer draw\n");
  EXPECT_FALSE(s.engineActive);
}

TEST_F(InSearch, PonderHitTurnsThePonderSearchIntoTheEnginesSearch) {
  PonderOnE7E5();
  EngineState& s = engineState;
  s.movesPerControl = 40, s.baseTime = 30000, s.ownTime = 30000;
  s.passStart = 1000;
  thinker.startClock = 1500;
  ScriptedClock::Set({3000, 3700});  // 200 centiseconds since the pass, 220 since the search
  thinker.clock = ScriptedClock::Read;
  thinker.pvTable[0][0] = {Generated("g1f3"), 0};
  thinker.pvLength[0] = 1;
  LogTap log;
  std::string console;
  EXPECT_EQ(VerdictOn(MoveCmd("e7e5q"), &console), Verdict::kContinue);  // the letter is not looked at
  EXPECT_TRUE(s.ponderHit);
  EXPECT_EQ(s.moveNumber, 2);
  EXPECT_EQ(thinker.allocatedTime, 200 + 1183);  // 220 * 10 / 11, plus the limit for move 2 of 40
  EXPECT_EQ(log.Records("Engine"),
            (std::vector<std::string>{"YES!!! GOOD PONDERING CHOICE!", "we've spent 200 time",
                                      "Allocated time: 1183 - Calc MPS: 38 - MPS/BASE/INC: 40/30000/0",
                                      "and we'll spend a total of 1383"}));
  EXPECT_NE(console.find("g1f3"), std::string::npos) << console;  // the thinking line, at once
  EXPECT_EQ(VerdictOn(MoveCmd("g1f3")), Verdict::kAbort);             // a move after the hit
}

TEST_F(InSearch, StartPonderingPlaysOnlyAReplyOfThisPosition) {
  Play("e2e4");
  const GameSnapshot before = Snapshot();
  const Move e7e5 = Generated("e7e5");
  thinker.pvLength[0] = 2;
  for (Move stale : {e7e5 | (static_cast<Move>(kCapture) << 24), MakeMoveWord(Sq("g1"), Sq("f3"), 255, 0),
                     MakeMoveWord(255, 0, 255, 0)}) {
    thinker.pvTable[0][1] = {stale, 0};
    EXPECT_FALSE(StartPondering());
    EXPECT_TRUE(Snapshot() == before);
  }
  thinker.pvTable[0][1] = {e7e5, 0};
  thinker.pvLength[0] = 1;
  EXPECT_FALSE(StartPondering());
  thinker.pvLength[0] = 2;
  LogTap log;
  EXPECT_TRUE(StartPondering());
  EXPECT_EQ(thinker.ponderMove, e7e5);
  EXPECT_EQ(position.ArchiveCount, before.archive + 1);
  EXPECT_EQ(openingBook.gameText, "e2e4e7e5");
  EXPECT_EQ(log.Records(), (std::vector<std::string>{"Thinker: START PONDERING"}));
}

TEST_F(InSearch, HintIsThePredictedReplyWithItsPromotionLetter) {
  const Move knight = MakeMoveWord(Sq("e7"), Sq("e8"), kKnight, kPromotion | kPawnMove);
  thinker.pvTable[0][1] = {knight, 0};
  thinker.pvLength[0] = 1;
  EXPECT_EQ(Execute(Cmd(CommandId::kHint)).console, "");
  thinker.pvLength[0] = 2;
  const Outcome out = Execute(Cmd(CommandId::kHint));
  EXPECT_EQ(out.console + out.log, "Hint: e7e8n\nHint: e7e8n\n");
  // While pondering the hint is the move pondered on, not the search's line.
  engineState.pondering = true;
  thinker.ponderMove = MakeMoveWord(Sq("e7"), Sq("e8"), kQueen, kPromotion | kPawnMove);
  std::string console;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kHint), &console), Verdict::kContinue);
  EXPECT_EQ(console, "Hint: e7e8\n");
}

}  // namespace
}  // namespace morvi
