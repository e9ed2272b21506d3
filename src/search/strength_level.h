// Playing at a strength level (UCI_LimitStrength with UCI_Elo): what a level
// lets the full search do, and how it picks the move it plays. A level cuts
// the search's nodes (fewer at lower levels), has it find the best few root
// moves each with its own line, and then picks one of them at random, the
// weaker ones the less likely the more they lose and the higher the level,
// and never one that loses more than the level allows (at 1500 and above,
// never as much as a minor piece). On a clock it takes a share of its
// planned time even when its nodes run out sooner, as a person would. At
// the highest level it is the full search, unchanged.
#pragma once

#include <cstdint>

#include "base/config.h"
#include "search/thinker.h"

namespace morvi {

// What one level lets the search do.
struct LevelPlan {
  bool limited = false;     // false: the full search as it is
  std::int64_t nodes = 0;   // nodes of each move's search
  int lines = 1;            // root moves weighed, each with its own line
  int temperature = 0;      // score loss (1/1024 pawn) that makes a move e times less likely
  int maxLoss = 0;          // the largest loss against the best line a chosen move may have
  int thinkPercent = 0;     // share of the planned time a move takes at least
};

// The plan of a level; levels outside kLowestElo..kHighestElo are clamped,
// and kHighestElo is the full search.
LevelPlan PlanForLevel(int elo);

// The line to play among `count` lines found best first: its index. random15
// is a value 0..32767 from the engine's generator.
int ChooseLevelLine(const SearchLine* lines, int count, const LevelPlan& plan, int random15);

// After a levelled search that ran out of nodes on a clock: waits, still
// answering the caller, until the share of the planned time has passed or
// the caller ends the wait.
void SpendLevelTime(Thinker& t, const LevelPlan& plan);

}  // namespace morvi
