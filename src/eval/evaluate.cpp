// The evaluation driver: computes the terms at the requested level, derives
// the material words, and sums each White-minus-Black term shifted left by
// its weight, then scales the sum back by NormalizeS and turns it to the side
// to move. Additions are in signed 32-bit with wrap-around; their order only
// matters for overflow and is kept as the engine has always done it.
#include "eval/evaluate.h"

#include <cstdint>

#include "eval/eval_arith.h"
#include "base/config.h"
#include "base/random.h"

namespace morvi {

constinit thread_local EvalStats evalStats;
EvalSettings evalSettings;

namespace {

using namespace evalarith;
using enum Colour;

// Total material = pawns + pieces; the stage material keeps the pieces.
void SetMaterialWords(EvalBlock& e) {
  for (Colour c : kColours) {
    e.stageMaterial[c] = e.pieceMaterial[c];
    e.totalMaterial[c] = WrapAdd(e.pawnMaterial[c], e.pieceMaterial[c]);
  }
}

// The random term, -64..63 (a 15-bit draw divided by 256, less 64).
int RandomTerm() { return ShiftRight(ShiftLeft(Random15(), 7), 15) - 64; }

class Sum {
 public:
  void Add(int value, int shift) { sum_ += static_cast<std::uint32_t>(ShiftLeft(value, shift)); }
  void AddPair(const ByColour<int>& pair, int shift) { Add(WrapSub(pair[kWhite], pair[kBlack]), shift); }
  int Value() const { return static_cast<int>(sum_); }

 private:
  std::uint32_t sum_ = 0;
};

}  // namespace

int Evaluate(Position& pos, EvalLevel level) {
  EvaluateTerms(pos, level);
  EvalBlock& e = pos.eval;
  SetMaterialWords(e);

  Sum s;
  if (level == EvalLevel::kComplete) {
    s.AddPair(e.kingAttack, config.KingAttackFactorS);
    s.Add(HotSpots(pos), config.HotSpotFactorS);
  }
  if (level == EvalLevel::kComplete || level == EvalLevel::kMedium) {
    s.AddPair(e.pawnPosition, config.PosPawnFactorS);
    s.AddPair(e.rookPosition, config.PosRookFactorS);
    s.AddPair(e.kingPosition, config.PosKingFactorS);
    s.AddPair(e.bishopTrap, config.BishopTrapFactorS);
    s.AddPair(e.knightOutpost, config.KnightOutpostFactorS);
    s.AddPair(e.bishopOutpost, config.BishopOutpostFactorS);
    s.AddPair(e.development, config.DevFactorS);
  }
  s.Add(e.soloQueen, config.SoloQueenFactorS);
  if (evalSettings.randomTerm) s.Add(RandomTerm(), config.RandomFactorS);
  s.AddPair(e.bishopPosition, config.PosBishopFactorS);
  s.AddPair(e.knightPosition, config.PosKnightFactorS);
  s.AddPair(e.rookPair, config.RookPairFactorS);
  s.Add(CastleState(pos), config.CastlesFactorS);
  s.Add(MaterialRatio(pos), config.RatioFactorS);
  s.AddPair(e.twoBishops, config.TwoBishopFactorS);
  s.AddPair(e.totalMaterial, config.MaterialFactorS);
  ++evalStats.evaluations;

  const int score = ShiftRight(s.Value(), config.NormalizeS);
  return pos.SideToMove == kBlack ? WrapNeg(score) : score;
}

void EvaluateForStage(Position& pos, EvalLevel level) {
  EvaluateTerms(pos, level);
  SetMaterialWords(pos.eval);
  if (evalSettings.randomTerm) Random15();
  ++evalStats.evaluations;
}

void RefreshBeforeSearch(Position& pos) {
  for (EvalLevel level : kEvalLevels) EvaluateForStage(pos, level);
}

}  // namespace morvi
