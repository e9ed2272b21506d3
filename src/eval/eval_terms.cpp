// The term computation: clears the evaluation block for the level, builds the
// pawn structure (Medium and Complete) and the attack map (Complete), walks
// each side's pieces after its king in list order, then scores the kings,
// development, the bishop pair and the solo queen. The Fast level reads only
// the piece list and the knight and bishop tables.
#include "eval/eval_internal.h"
#include "eval/eval_tables.h"
#include "eval/evaluate.h"

namespace morvi {

namespace evalterms {

using namespace evaltables;
using enum Colour;

namespace {

constexpr int kPawnValue = 1024, kKnightValue = 3072, kBishopValue = 3072;
constexpr int kRookValue = 5120, kQueenValue = 9216;
constexpr int kTrapped = -1536;
constexpr int kSoloQueen = 1536;

// What one side's piece walk counts besides the block's words.
struct SideCounts {
  int bishops = 0;
  int queens = 0;
  int developed = 0;  // knights and bishops off the first rank
};

bool Holds(const Position& pos, int s, int piece, Colour colour) {
  return pos.SquarePiece[s] == piece && pos.SquareColour[s] == colour;
}

// Rook pair: for every rook of a side but its first in list order, each
// other own rook or queen on the rook's row, and on its file, adds inc. The
// walk gathers the rows and files of all the side's rooks and queens and the
// rooks' squares; the sum follows once the walk is done.
class RookPairs {
 public:
  void AddRook(int s) {
    rooks_[rookCount_++] = s;
    AddHeavy(s);
  }
  void AddQueen(int s) { AddHeavy(s); }
  // Each rook counts itself once on its row and once on its file.
  int Value(int inc) const {
    int v = 0;
    for (int i = 1; i < rookCount_; ++i) {
      const int s = rooks_[i];
      v += inc * (rows_[s >> 3] - 1) + inc * (files_[s & 7] - 1);
    }
    return v;
  }

 private:
  void AddHeavy(int s) {
    ++rows_[s >> 3];
    ++files_[s & 7];
  }
  int rows_[8] = {};
  int files_[8] = {};
  int rooks_[16];  // a side has at most 15 pieces besides its king
  int rookCount_ = 0;
};

// Open file 192, half-open (no own pawn) 64; the seventh rank 256 more.
int RookFile(const Position& pos, int s, Colour colour) {
  const int f = (s & 7) + 1;
  const int ownPawns = colour == kWhite ? pos.WhitePawnCount[f] : pos.BlackPawnCount[f];
  const int enemyPawns = colour == kWhite ? pos.BlackPawnCount[f] : pos.WhitePawnCount[f];
  int v = 0;
  if (ownPawns == 0) v = enemyPawns == 0 ? 192 : 64;
  if ((s >> 3) == (colour == kWhite ? 1 : 6)) v += 256;
  return v;
}

int PieceSquare(const Table& table, int s, Colour colour) {
  return table[colour == kWhite ? s : Flip[s]];
}

// One side's words of the evaluation block as a walk sums them: kept in
// locals during the walk and added to the block once at its end.
struct WalkSums {
  int pawnMaterial = 0, pieceMaterial = 0;
  int knightPosition = 0, bishopPosition = 0;
  int pawnPosition = 0, rookPosition = 0, bishopTrap = 0, knightOutpost = 0, bishopOutpost = 0;

  void AddFastWords(EvalBlock& e, Colour colour) const {
    e.pawnMaterial[colour] += pawnMaterial;
    e.pieceMaterial[colour] += pieceMaterial;
    e.knightPosition[colour] += knightPosition;
    e.bishopPosition[colour] += bishopPosition;
  }
  void AddDetailedWords(EvalBlock& e, Colour colour) const {
    AddFastWords(e, colour);
    e.pawnPosition[colour] += pawnPosition;
    e.rookPosition[colour] += rookPosition;
    e.bishopTrap[colour] += bishopTrap;
    e.knightOutpost[colour] += knightOutpost;
    e.bishopOutpost[colour] += bishopOutpost;
  }
};

// Material by piece code (king and empty 0).
constexpr int kPawnWorth[7] = {kPawnValue, 0, 0, 0, 0, 0, 0};
constexpr int kPieceWorth[7] = {0, kKnightValue, kBishopValue, kRookValue, kQueenValue, 0, 0};

// The Fast walk: material, knight and bishop tables, rook pair. Each term is
// added by table or selection rather than by a branch on the piece kind:
// this walk runs at most nodes.
template <Colour colour>
void FastWalk(Position& pos, SideCounts& counts) {
  const int start = colour == kWhite ? pos.LightStart : pos.DarkStart;
  const int end = colour == kWhite ? pos.DarkStart : pos.DarkEnd;
  WalkSums sums;
  RookPairs rookPairs;
  for (int i = start + 1; i < end; ++i) {
    const int s = pos.PieceAr[i];
    const int code = pos.SquarePiece[s];
    if (code == kEmpty) continue;  // a captured entry (square 64)
    sums.pawnMaterial += kPawnWorth[code];
    sums.pieceMaterial += kPieceWorth[code];
    sums.knightPosition += code == kKnight ? PieceSquare(KnightTable, s, colour) : 0;
    sums.bishopPosition += code == kBishop ? PieceSquare(BishopTable, s, colour) : 0;
    counts.bishops += code == kBishop ? 1 : 0;
    counts.queens += code == kQueen ? 1 : 0;
    if (code == kRook) rookPairs.AddRook(s);
    if (code == kQueen) rookPairs.AddQueen(s);
  }
  sums.AddFastWords(pos.eval, colour);
  pos.eval.rookPair[colour] += rookPairs.Value(pos.GameStage >= 2 ? 64 : 32);
}

bool OnFirstRank(int s, Colour colour) { return colour == kWhite ? s >= 56 : s <= 7; }

// The Medium and Complete walk: the Fast words plus pawn structure, rook
// files, outposts, trapped bishops and development.
template <Colour colour>
void DetailedWalk(Position& pos, SideCounts& counts) {
  const int start = colour == kWhite ? pos.LightStart : pos.DarkStart;
  const int end = colour == kWhite ? pos.DarkStart : pos.DarkEnd;
  const int stage = pos.GameStage;
  WalkSums sums;
  RookPairs rookPairs;
  for (int i = start + 1; i < end; ++i) {
    const int s = pos.PieceAr[i];
    switch (pos.SquarePiece[s]) {
      case kPawn:
        sums.pawnMaterial += kPawnValue;
        sums.pawnPosition += colour == kWhite ? WhitePawnValue(pos, s, stage) : BlackPawnValue(pos, s, stage);
        break;
      case kBishop:
        sums.pieceMaterial += kBishopValue;
        sums.bishopPosition += PieceSquare(BishopTable, s, colour);
        sums.bishopTrap += BishopTrap(pos, s, colour);
        sums.bishopOutpost += colour == kWhite ? WhiteOutpost(pos, s, false) : BlackOutpost(pos, s, false);
        ++counts.bishops;
        if (!OnFirstRank(s, colour)) ++counts.developed;
        break;
      case kKnight:
        sums.pieceMaterial += kKnightValue;
        sums.knightPosition += PieceSquare(KnightTable, s, colour);
        sums.knightOutpost += colour == kWhite ? WhiteOutpost(pos, s, true) : BlackOutpost(pos, s, true);
        if (!OnFirstRank(s, colour)) ++counts.developed;
        break;
      case kRook:
        sums.pieceMaterial += kRookValue;
        sums.rookPosition += RookFile(pos, s, colour);
        rookPairs.AddRook(s);
        break;
      case kQueen:
        sums.pieceMaterial += kQueenValue;
        rookPairs.AddQueen(s);
        ++counts.queens;
        break;
      default: break;
    }
  }
  sums.AddDetailedWords(pos.eval, colour);
  pos.eval.rookPair[colour] += rookPairs.Value(pos.GameStage >= 2 ? 64 : 32);
}

void ClearDetailedTerms(EvalBlock& e) {
  for (Colour c : kColours) {
    e.pawnPosition[c] = 0;
    e.rookPosition[c] = 0;
    e.kingPosition[c] = 0;
    e.bishopTrap[c] = 0;
    e.knightOutpost[c] = 0;
    e.bishopOutpost[c] = 0;
    e.development[c] = 0;
  }
}

void ClearCommonTerms(EvalBlock& e) {
  for (Colour c : kColours) {
    e.twoBishops[c] = 0;
    e.bishopPosition[c] = 0;
    e.knightPosition[c] = 0;
    e.rookPair[c] = 0;
    e.pawnMaterial[c] = 0;
    e.pieceMaterial[c] = 0;
  }
  e.soloQueen = 0;
}

int BishopPair(int bishops, int stage) {
  if (bishops <= 1) return 0;
  return stage == 3 ? 256 : stage == 2 ? 128 : 32;
}

}  // namespace

int BishopTrap(const Position& pos, int s, Colour colour) {
  // Each pattern: the bishop's square, the enemy pawn that shuts it in, the
  // square whose pawn or bishop closes the way back, the square behind it.
  struct Pattern {
    int bishop, pawn, blocker, behind;
  };
  constexpr Pattern kWhitePatterns[2] = {{8, 17, 10, 1}, {15, 22, 13, 6}};
  constexpr Pattern kBlackPatterns[2] = {{48, 41, 50, 57}, {55, 46, 53, 62}};
  const Colour enemy = Opponent(colour);
  for (const Pattern& p : colour == kWhite ? kWhitePatterns : kBlackPatterns) {
    if (s != p.bishop) continue;
    if (!Holds(pos, p.pawn, kPawn, enemy)) return 0;
    if (Holds(pos, p.blocker, kPawn, enemy) || Holds(pos, p.blocker, kBishop, enemy)) return kTrapped;
    if (pos.IsAttacked(p.pawn, enemy) && pos.IsAttacked(p.behind, enemy)) return kTrapped;
    return 0;
  }
  return 0;
}

}  // namespace evalterms

using namespace evalterms;

void EvaluateTerms(Position& pos, EvalLevel level) {
  EvalBlock& e = pos.eval;
  const bool complete = level == EvalLevel::kComplete;
  const bool detailed = complete || level == EvalLevel::kMedium;

  // Step 1: clear what this level fills.
  if (complete) e.kingAttack[kWhite] = e.kingAttack[kBlack] = 0;
  if (detailed) ClearDetailedTerms(e);
  ClearCommonTerms(e);

  // Step 2: the pawn structure and the attack map.
  if (detailed) FillPawnStructure(pos);
  if (complete) CountAttacks(pos);

  // Step 3: king attack.
  if (complete) {
    e.kingAttack[kWhite] = KingAttack(pos, kWhite);
    e.kingAttack[kBlack] = KingAttack(pos, kBlack);
  }

  // Step 4: the piece walks; the king terms need both sides' piece material.
  ByColour<SideCounts> counts;
  const int stage = pos.GameStage;
  if (detailed) {
    DetailedWalk<kWhite>(pos, counts[kWhite]);
    DetailedWalk<kBlack>(pos, counts[kBlack]);
    e.kingPosition[kWhite] = WhiteKingPosition(pos, stage);
    e.kingPosition[kBlack] = BlackKingPosition(pos, stage);
    if (stage == 0) {
      e.development[kWhite] = 256 * counts[kWhite].developed;
      e.development[kBlack] = 256 * counts[kBlack].developed;
    }
  } else {
    FastWalk<kWhite>(pos, counts[kWhite]);
    FastWalk<kBlack>(pos, counts[kBlack]);
  }

  // Step 5: bishop pair and solo queen.
  e.twoBishops[kWhite] = BishopPair(counts[kWhite].bishops, stage);
  e.twoBishops[kBlack] = BishopPair(counts[kBlack].bishops, stage);
  if (counts[kWhite].queens > 0 && counts[kBlack].queens == 0) e.soloQueen = kSoloQueen;
  if (counts[kBlack].queens > 0 && counts[kWhite].queens == 0) e.soloQueen = -kSoloQueen;

  if (complete) {
    ++evalStats.complete;
  } else if (detailed) {
    ++evalStats.medium;
  } else {
    ++evalStats.fast;
  }
}

}  // namespace morvi
