// The static evaluation: the driver that weights and sums the terms of the
// evaluation block, the term computation at its three levels of detail, the
// three terms the driver computes directly, the refresh before a search, and
// the evaluation's counters and settings.
// Every weight is a shift count from the configuration; all arithmetic is
// signed 32-bit with wrap-around.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace morvi {

// Levels of detail, most detailed first; a level shows as its number (0-2).
enum class EvalLevel { kComplete, kMedium, kFast };
constexpr EvalLevel kEvalLevels[] = {EvalLevel::kComplete, EvalLevel::kMedium, EvalLevel::kFast};

// Counters of one search pass, zeroed by the engine controller; each thread
// counts its own evaluations. 64-bit: an analysis may run for hours.
struct EvalStats {
  std::int64_t evaluations;  // every Evaluate (and every pre-search refresh)
  std::int64_t complete;     // term computations per level
  std::int64_t medium;
  std::int64_t fast;
};

extern constinit thread_local EvalStats evalStats;

// The evaluation's settings, changed by the engine's commands. Engine thread
// only; a new game leaves them as they are.
struct EvalSettings {
  bool randomTerm = false;  // a random term of -64..63 in every evaluation
};

extern EvalSettings evalSettings;

// Static score of pos for the side to move (positive: the side to move stands
// better).
int Evaluate(Position& pos, EvalLevel level);

// Fills pos.eval (and, at Complete and Medium, the pawn-structure arrays; at
// Complete also AttackCount) and counts one computation of that level.
void EvaluateTerms(Position& pos, EvalLevel level);

// One pass of the pre-search refresh: the terms, the material words, the
// random draw when the random term is on and the count, with the score thrown
// away. It leaves the stage material that DecideGameStage reads.
void EvaluateForStage(Position& pos, EvalLevel level);

// What the engine does before every search: EvaluateForStage at Complete,
// Medium and Fast, in that order. It leaves the stage material that
// DecideGameStage reads, the attack counts of the Complete pass and the pawn
// structure of the Medium pass, and counts three evaluations (three draws
// when the random term is on).
void RefreshBeforeSearch(Position& pos);

// The terms the driver computes itself, each White minus Black.
int HotSpots(const Position& pos);     // reads AttackCount: Complete level only
int CastleState(const Position& pos);
int MaterialRatio(const Position& pos);  // reads the total-material words

}  // namespace morvi
