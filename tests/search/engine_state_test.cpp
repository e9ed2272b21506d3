// The engine state the search reads: the state of a new game, and the flags
// a new game leaves alone.
#include <gtest/gtest.h>

#include "engine/engine_state.h"

namespace morvi {
namespace {

TEST(EngineStateReset, NewGameValues) {
  EngineState state;
  state.analysisMode = true;
  state.editColour = Colour::kBlack;
  state.searchAborted = true;
  state.passStart = 1234;
  state.pondering = state.ponderHit = state.ponderFinished = state.editMode = state.analysisDone = true;
  state.movesPerControl = 40;
  state.baseTime = state.increment = state.ownTime = state.opponentTime = 500;
  state.opponentName = "someone";
  state.moveNumber = 30;
  ResetEngineState(state);

  EXPECT_EQ(state.engineColour, Colour::kBlack);
  EXPECT_TRUE(state.engineActive && state.ponderEnabled && state.postEnabled);
  EXPECT_FALSE(state.pondering || state.ponderHit || state.ponderFinished || state.editMode || state.analysisDone);
  EXPECT_EQ(state.movesPerControl + state.baseTime + state.increment + state.ownTime + state.opponentTime, 0);
  EXPECT_TRUE(state.opponentName.empty());
  EXPECT_EQ(state.ownRating, 1000);
  EXPECT_EQ(state.opponentRating, 1000);
  EXPECT_EQ(state.moveNumber, 1);
  // Kept as they were.
  EXPECT_TRUE(state.analysisMode && state.searchAborted);
  EXPECT_EQ(state.editColour, Colour::kBlack);
  EXPECT_EQ(state.passStart, 1234);
}

}  // namespace
}  // namespace morvi
