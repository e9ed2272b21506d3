// The full search's move ordering and what it learns for it as it goes: two
// killer moves per ply (quiet moves that cut there), a counter move to each
// move of the opponent (by the piece that moved and its target), and the
// history of quiet moves by side, from and to: a bonus for the move that
// cut, a malus for the quiet moves tried before it, each kept within
// kHistoryLimit by gravity (a full entry moves less). The order: the table's
// move, winning and equal captures by the static exchange (the most valuable
// victim first, then the least valuable attacker), the killers, the counter
// move, the quiet moves by history, the losing captures and the promotions
// to less than a queen last.
#pragma once

#include "board/move.h"
#include "board/position.h"

namespace morvi {

constexpr int kHistoryLimit = 16384;

// Ordering scores of the bands above the quiet moves' history, and below.
constexpr int kTableMoveScore = 2000000000;
constexpr int kGoodCaptureScore = 1000000000;
constexpr int kKillerScore = 900000000;  // the first killer; the second one less
constexpr int kCounterMoveScore = 899999990;
constexpr int kBadCaptureScore = -1000000000;
constexpr int kUnderPromotionScore = -1100000000;

struct MoveOrdering {
  Move killers[kMaxPly + 2][2] = {};
  Move counterMoves[2][6][64] = {};  // by the side that replies, the piece that moved and its target
  int history[2][64][64] = {};       // by the side that moved, from and to

  // A new game: nothing known.
  void Clear();
  // A new search: the killers are forgotten, the history counts half.
  void NewSearch();
};

// The bonus a quiet move that cut at this depth earns (and the malus of the
// quiet moves tried before it).
constexpr int HistoryBonus(int depth) { return depth * depth > 1200 ? 1200 : depth * depth; }

// Moves the entry by `bonus` (negative: a malus), less the more it already
// holds on that side: it never leaves -kHistoryLimit .. kHistoryLimit.
inline void AddHistory(int& entry, int bonus) {
  const int magnitude = bonus < 0 ? -bonus : bonus;
  entry += bonus - entry * magnitude / kHistoryLimit;
}

// The move before this node (the opponent's): what it moved and where to.
// kNoMove for a null move or none.
struct PreviousMove {
  Move move = kNoMove;
  int piece = kEmpty;
};

// True for a move that is neither a capture nor a promotion.
constexpr bool IsQuiet(Move move) { return (MoveFlags(move) & (kCapture | kPromotion)) == 0; }

// Scores the node's generated moves first..last - 1 for the order above.
void ScoreMoves(const Position& pos, MoveEntry* first, MoveEntry* last, Move tableMove, const MoveOrdering& order,
                int ply, PreviousMove previous);

// A quiet move reached beta at ply: it becomes the ply's first killer and
// the counter move to the previous one, its history gets the bonus and the
// quiet moves tried before it (tried, count) the malus.
void NoteQuietCutoff(MoveOrdering& order, Colour side, int ply, int depth, Move move, const Move* tried, int count,
                     PreviousMove previous);

}  // namespace morvi
