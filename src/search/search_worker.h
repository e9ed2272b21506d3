// The state of one full-strength search as it runs: the position it
// searches, the Thinker that keeps its lines and its stop, the counters, its
// own move lists, what it knows of the line and the game (the keys of the
// positions before each node, for repetitions), and what it has learnt of
// the moves (killers, counter moves, history). The classic search keeps
// the engine's one position and move stack instead.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/move.h"
#include "board/position.h"
#include "search/move_order.h"
#include "search/thinker.h"

namespace morvi {

// What the search knows of each ply of the line it is in.
struct PlyState {
  std::uint64_t key = 0;  // the position's key on entry
  Move move = kNoMove;    // the move made from here to the next ply (kNoMove: a null move)
  int staticEval = 0;     // the evaluation on entry (-kInfinity in check)
};

struct SearchWorker {
  SearchWorker(Position& position, Thinker& thinker, SearchCounters& searchCounters)
      : pos(position), t(thinker), counters(searchCounters) {
    order.Clear();
  }

  Position& pos;
  Thinker& t;
  SearchCounters& counters;
  MoveStack moves{};  // this search's own move lists, one segment per ply
  PlyState stack[kMaxPly + 1];
  std::uint64_t gameKeys[kArchiveSize] = {};  // the game's positions before the root, oldest first
  int gameKeyCount = 0;
  int rootDepth = 0;  // the iteration's depth
  MoveOrdering order{};

  // The engine's own search polls its caller and keeps the clock; a helper
  // thread's search looks every so many nodes whether it must stop, and
  // tells how many nodes it has searched.
  bool main = true;
  const std::atomic<bool>* stopSignal = nullptr;
  std::atomic<std::int64_t>* nodesShown = nullptr;
  // Root moves this search leaves out (the lines already found when it
  // looks for several).
  Move excluded[kMaxMultiPv] = {};
  int excludedCount = 0;
  SearchLine newLines[kMaxMultiPv];  // an iteration's lines as they are found
};

}  // namespace morvi
