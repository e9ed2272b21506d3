// The legal moves of a position, for tests that check or choose moves.
#pragma once

#include <vector>

#include "board/position.h"

namespace morvi::test_support {

// The side to move's legal moves in generation order; the position is left
// as it was.
inline std::vector<Move> LegalMoves(Position& pos) {
  std::vector<MoveEntry> list(kMoveStackSize);
  int end = 0;
  pos.GenerateMoves(list.data(), &end);
  std::vector<Move> legal;
  for (int i = 0; i < end; ++i) {
    UndoRecord undo;
    if (pos.MakeMove(list[i].move, undo) == 0) continue;
    pos.UnmakeMove(list[i].move, undo);
    legal.push_back(list[i].move);
  }
  return legal;
}

}  // namespace morvi::test_support
