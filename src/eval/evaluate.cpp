// The evaluation driver (first version: material only, filled in next).
#include "eval/evaluate.h"

namespace morvi {

EvalStats evalStats;

void EvaluateTerms(Position&, int) {}
int HotSpots(const Position&) { return 0; }
int CastleState(const Position&) { return 0; }
int MaterialRatio(const Position&) { return 0; }

int Evaluate(Position& pos, int level) {
  EvaluateTerms(pos, level);
  ++evalStats.evaluations;
  return 0;
}

void EvaluateForStage(Position& pos, int level) {
  EvaluateTerms(pos, level);
  ++evalStats.evaluations;
}

}  // namespace morvi
