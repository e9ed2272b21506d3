// How the tree search and the quiescence search use the transposition table
// at a node: the probe that may settle the node and names a move to try
// first, and the store of the node's result with its kind of bound.
//
// An entry is found by the position's key and the game stage the search was
// judged at: the stage picks the evaluation's king and pawn tables and
// whether null moves are tried, so an entry scored under one stage must not
// answer a search under another. The stage is judged from the side not to
// move, so an analysis that follows a game move by move changes it back and
// forth; with the stage in the key both stages keep their entries, where
// clearing the table at each change would throw it away at every step.
#pragma once

#include "board/move.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "search/transposition.h"

namespace morvi {

// `remaining` is the depth the node is searched to. The entry's move (if
// any) goes to hashMove; true when the node may end here (never the root's)
// and the entry, searched at least as deep, settles it: its score fails high or low against the window. A score
// inside the window does not end the node, which is searched so that its
// line reaches the parent whole.
// The position's entry key under the search's stage.
inline std::uint64_t TableKey(const Position& pos) { return pos.Key ^ StageKey(pos.GameStage); }

inline bool ProbeTable(int ply, int remaining, int alpha, int beta, bool mayEnd, int& value, Move& hashMove) {
  TranspositionTable& table = transpositionTable;
  const std::optional<TableEntry> entry = table.Probe(TableKey(position));
  if (!entry) return false;
  hashMove = entry->move;
  if (!mayEnd || entry->depth < remaining) return false;
  value = ScoreFromTable(entry->score, ply);
  const bool settled =
      (entry->bound != Bound::kUpper && value >= beta) || (entry->bound != Bound::kLower && value <= alpha);
  if (settled) ++table.counters.cutoffs;
  return settled;
}

// The node's result: an upper bound when nothing raised alpha, a lower one
// when a move reached beta, exact between.
inline void StoreInTable(int ply, int remaining, int alphaAtEntry, int beta, int value, Move best) {
  const Bound bound = value <= alphaAtEntry ? Bound::kUpper : value >= beta ? Bound::kLower : Bound::kExact;
  transpositionTable.Store(TableKey(position), remaining, bound, ScoreToTable(value, ply), best);
}

}  // namespace morvi
