// The recognition sequence: its order, the modes, and what each line queues.
#include "frontend/recognizer.h"

#include <string>
#include <vector>

#include "frontend/queue_fixture.h"

namespace morvi {
namespace {

class RecognizerTest : public QueueTest {
 protected:
  // Recognises the line and returns the identifiers it queued.
  std::vector<CommandId> Queued(std::string_view line, Recognition expected = Recognition::Handled) {
    EXPECT_EQ(RecognizeCommand(state, line), expected) << line;
    std::vector<CommandId> ids;
    while (auto record = TakeCommand()) ids.push_back(record->id);
    return ids;
  }
  FrontEndState state;
};

using Ids = std::vector<CommandId>;

TEST_F(RecognizerTest, ExactKeywordsQueueTheirCommands) {
  const std::pair<const char*, CommandId> table[] = {
      {"new", CommandId::kNew},       {"random", CommandId::kRandom},   {"force", CommandId::kForce},
      {"white", CommandId::kWhite},   {"black", CommandId::kBlack},     {"go", CommandId::kGo},
      {"?", CommandId::kMoveNow},    {"draw", CommandId::kDraw},       {"hint", CommandId::kHint},
      {"bk", CommandId::kBook},       {"undo", CommandId::kUndo},       {"remove", CommandId::kRemove},
      {"hard", CommandId::kHard},     {"easy", CommandId::kEasy},       {"post", CommandId::kPost},
      {"nopost", CommandId::kNopost}, {"analyze", CommandId::kAnalyze}, {"exit", CommandId::kExit},
      {"d", CommandId::kDisplay},     {".", CommandId::kStatus},        {"NeW", CommandId::kNew},
  };
  for (const auto& [line, id] : table) EXPECT_EQ(Queued(line), Ids{id}) << line;
  EXPECT_TRUE(state.consoleMode);
  EXPECT_FALSE(state.editMode);
}

TEST_F(RecognizerTest, QuitHelpAndUnknownQueueNothing) {
  EXPECT_EQ(Queued("quit", Recognition::Quit), Ids{});
  EXPECT_EQ(Queued("BYE", Recognition::Quit), Ids{});
  EXPECT_EQ(Queued("Help", Recognition::Help), Ids{});
  EXPECT_EQ(Queued("quit ", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("c", Recognition::Unknown), Ids{});  // outside edit mode
  EXPECT_EQ(Queued("xtime 100", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("level 40 5", Recognition::Unknown), Ids{});
}

TEST_F(RecognizerTest, XboardAndFritzLeaveConsoleModeForGood) {
  EXPECT_EQ(Queued("xboard"), Ids{CommandId::kXboard});
  EXPECT_FALSE(state.consoleMode);
  EXPECT_EQ(Queued("d"), Ids{});  // ignored silently
  EXPECT_EQ(Queued("new"), Ids{CommandId::kNew});
  EXPECT_FALSE(state.consoleMode);

  FrontEndState other;
  EXPECT_EQ(RecognizeCommand(other, "Fritz"), Recognition::Handled);
  EXPECT_FALSE(other.consoleMode);
  EXPECT_EQ(Posted()->id, CommandId::kFritz);
}

TEST_F(RecognizerTest, ArgumentsAreParsedFromTheRightText) {
  EXPECT_EQ(Queued("LEVEL 40 5 0"), Ids{CommandId::kLevel});
  EXPECT_EQ(Queued("TIME 100"), Ids{CommandId::kTime});
  EXPECT_EQ(Queued("otim 100"), Ids{CommandId::kOtim});
  EXPECT_EQ(Queued("ponder e2e4"), Ids{CommandId::kPonderMove});
  EXPECT_EQ(Queued("rating"), Ids{CommandId::kRating});

  // "result" and "name" keep the letter case of the line.
  ASSERT_EQ(RecognizeCommand(state, "Result 0-1 {Black Mates}"), Recognition::Handled);
  EXPECT_EQ(Posted()->resultText, "{Black Mates}");
  ASSERT_EQ(RecognizeCommand(state, "name Club Player"), Recognition::Handled);
  EXPECT_EQ(Posted()->nameText, "Club Player");

  ASSERT_EQ(RecognizeCommand(state, "E2E4"), Recognition::Handled);
  auto move = Posted();
  EXPECT_EQ(move->id, CommandId::kUserMove);
  EXPECT_EQ(move->moveFrom, 52);
  EXPECT_EQ(move->moveTo, 36);
}

TEST_F(RecognizerTest, EditModeCommands) {
  EXPECT_EQ(Queued("c", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("edit"), Ids{CommandId::kEdit});
  EXPECT_TRUE(state.editMode);
  EXPECT_EQ(Queued("c"), Ids{CommandId::kEditColour});
  EXPECT_EQ(Queued("#"), Ids{CommandId::kEditClear});
  EXPECT_EQ(Queued("castle +w00"), Ids{CommandId::kEditCastle});
  EXPECT_EQ(Queued("castle w00", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("ep e3"), Ids{CommandId::kEditEp});
  EXPECT_EQ(Queued("ep e4", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("xa1"), Ids{CommandId::kEditEmpty});
  EXPECT_EQ(Queued("Ze4", Recognition::Unknown), Ids{});
  EXPECT_EQ(Queued("e2e4"), Ids{CommandId::kUserMove});  // a move is still a move

  ASSERT_EQ(RecognizeCommand(state, "Pe4"), Recognition::Handled);
  auto placed = Posted();
  EXPECT_EQ(placed->id, CommandId::kEditPlace);
  EXPECT_EQ(placed->piece, 0);
  EXPECT_EQ(placed->square, 36);

  EXPECT_EQ(Queued("."), Ids{CommandId::kEditDone});
  EXPECT_FALSE(state.editMode);
  EXPECT_EQ(Queued("."), Ids{CommandId::kStatus});
  EXPECT_EQ(Queued("pe4", Recognition::Unknown), Ids{});
}

TEST_F(RecognizerTest, KeywordSearchFallsThroughToLaterSteps) {
  // "time" is found but the form does not fit; the move parser rejects it too.
  EXPECT_EQ(Queued("time", Recognition::Unknown), Ids{});
  // A result token that is not one of the four: nothing posted.
  EXPECT_EQ(Queued("result 2-0", Recognition::Unknown), Ids{});
  // "ponder" alone is not a move.
  EXPECT_EQ(Queued("ponder", Recognition::Unknown), Ids{});
}

}  // namespace
}  // namespace morvi
