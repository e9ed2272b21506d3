// Shared set-up of the evaluation tests: loads a FEN into the engine's one
// position with a chosen game stage, and restores the configuration, the
// evaluation settings and the counters each test may have changed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/fen.h"
#include "board/position.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "base/config.h"

namespace morvi::testing {

class EvalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedConfig_ = config;
    savedSettings_ = evalSettings;
    evalSettings = EvalSettings{};
    evalStats = EvalStats{};
  }
  void TearDown() override {
    config = savedConfig_;
    evalSettings = savedSettings_;
  }

  // Loads fen with GameStage = stage; fails the test on a refused FEN.
  Position& Load(const std::string& fen, int stage = 0) {
    EXPECT_TRUE(LoadFen(position, fen)) << fen;
    position.GameStage = stage;
    return position;
  }

  // EvaluateTerms at level, returning the block.
  const EvalBlock& Terms(const std::string& fen, EvalLevel level, int stage = 0) {
    EvaluateTerms(Load(fen, stage), level);
    return position.eval;
  }

 private:
  Configuration savedConfig_;
  EvalSettings savedSettings_;
};

}  // namespace morvi::testing
