// Perft: every legal move is made and unmade, including those of the last
// ply, so the count also exercises MakeMove's legality test.
#include "board/perft.h"

namespace morvi {

std::uint64_t Perft(Position& pos, int depth, MoveEntry* list, int start) {
  if (depth <= 0) return 1;
  int end = start;
  pos.GenerateMoves(list, &end);
  std::uint64_t leaves = 0;
  UndoRecord undo;
  for (int i = start; i < end; ++i) {
    const Move move = list[i].move;
    if (!pos.MakeMove(move, undo)) continue;
    leaves += depth == 1 ? 1 : Perft(pos, depth - 1, list, end);
    pos.UnmakeMove(move, undo);
  }
  return leaves;
}

}  // namespace morvi
