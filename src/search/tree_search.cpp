// The tree search, step by step: bookkeeping and heartbeat, the stop test,
// the pruning tries, the horizon, generation and ordering, the move loop with
// its repetition test, then mate, stalemate and the fifty-move rule.
#include "search/tree_search.h"

#include <algorithm>

#include "board/position.h"
#include "base/config.h"
#include "search/heartbeat.h"
#include "search/node_common.h"
#include "search/quiesce.h"
#include "search/thinker.h"
#include "search/table_use.h"
#include "search/transposition.h"

namespace morvi {
namespace {

constexpr int kNullReduction = 3;
constexpr int kHashMoveScore = kPvMoveScore - 1;  // right after the previous iteration's move
constexpr int kNullWindow = 1024;

// Step 5 (not in check, ply above NullDepthStart): near the horizon a
// quiescence search must clear beta by QSkipMargin; farther up the side to
// move passes and must still reach beta. True when the node is cut.
bool PrunedEarly(int ply, int depth, int beta, bool allowNull) {
  Position& pos = position;
  if (depth - ply < config.NullDepthEnd) {
    int margin = beta + config.QSkipMargin;
    if (Quiesce(ply, depth, beta, margin) >= margin) {
      ++searchCounters.QSkips;
      return true;
    }
    return false;
  }
  if (!allowNull) return false;
  UndoRecord undo;
  pos.MakeNullMove(undo);
  int v = -Search(ply, depth - kNullReduction, -beta, -beta + kNullWindow, false);
  pos.UnmakeNullMove(undo);
  if (v >= beta) {
    ++searchCounters.NullSkips;
    return true;
  }
  return false;
}

// At the root of a search restricted to some moves, the others are dropped
// from the generated list.
void KeepAllowedRootMoves(const Thinker& t) {
  MoveStack& ms = moveStack;
  int kept = ms.listStart[0];
  for (int i = ms.listStart[0]; i < ms.listEnd[0]; ++i) {
    const Move move = ms.entries[i].move;
    if (std::find(t.rootFilter, t.rootFilter + t.rootFilterCount, move) != t.rootFilter + t.rootFilterCount) {
      ms.entries[kept++] = ms.entries[i];
    }
  }
  ms.listEnd[0] = kept;
}

// The generated move that the table names is searched right after the
// previous iteration's move.
void PutHashMoveFirst(int ply, Move hashMove) {
  MoveEntry* entries = moveStack.entries;
  for (int i = moveStack.listStart[ply]; i < moveStack.listEnd[ply]; ++i) {
    if (entries[i].move == hashMove) {
      if (entries[i].score < kHashMoveScore) entries[i].score = kHashMoveScore;
      return;
    }
  }
}

// The node's result for the table, unless the search was stopped before it
// was complete or the root's moves were restricted.
void StoreNode(const Thinker& t, int ply, int depth, int alphaAtEntry, int beta, int value, Move best) {
  if (t.stop || (ply == 0 && t.rootFilterCount > 0)) return;
  StoreInTable(ply, depth - ply, alphaAtEntry, beta, value, best);
}

}  // namespace

int Search(int ply, int depth, int alpha, int beta, bool allowNull) {
  Thinker& t = thinker;
  Position& pos = position;
  MoveStack& ms = moveStack;

  EnterNode(t, ply);
  if (HeartbeatDue(searchCounters.nodes, t.heartbeatMask)) HeartbeatInSearch();
  if (t.stop) return 0;

  const bool useTable = transpositionTable.Enabled() && ply < depth;
  Move hashMove = kNoMove;
  if (useTable) {
    int value = 0;
    if (ProbeTable(ply, depth - ply, alpha, beta, ply > 0, value, hashMove)) return value;
  }
  const int alphaAtEntry = alpha;
  Move best = kNoMove;

  bool inCheck = pos.InCheck(pos.SideToMove);
  if (!inCheck && ply > config.NullDepthStart && PrunedEarly(ply, depth, beta, allowNull)) {
    if (useTable) StoreNode(t, ply, depth, alphaAtEntry, beta, beta, kNoMove);
    return beta;
  }
  if (ply >= depth || !RoomForList(ply, kMaxMoveEntries)) return Quiesce(ply, depth, alpha, beta);

  bool legalMove = false;
  pos.GenerateMoves(ms.entries, &ms.listEnd[ply]);
  if (ply == 0 && t.rootFilterCount > 0) KeepAllowedRootMoves(t);
  if (ms.listEnd[ply] > ms.listStart[ply]) {
    ++searchCounters.expandedNodes;
    if (ply == 0) t.rootMoveCount = ms.listEnd[0] - ms.listStart[0];
    if (IsMove(hashMove)) PutHashMoveFirst(ply, hashMove);
    FollowPreviousLine(t, ply);
    OrderSegment(ply);

    for (int i = ms.listStart[ply]; i < ms.listEnd[ply]; ++i) {
      Move move = ms.entries[i].move;
      UndoRecord undo;
      if (pos.MakeMove(move, undo, inCheck) == 0) continue;
      int score;
      if (pos.InRepeatList()) {
        score = 0;
        t.pvLength[ply + 1] = ply + 1;  // the line ends with this move
      } else {
        score = -Search(ply + 1, depth, -beta, -alpha, allowNull);
      }
      pos.UnmakeMove(move, undo);
      if (ply == 0) t.rootMovesLeft = ms.listEnd[0] - i - 1;
      ++searchCounters.movesSearched;
      legalMove = true;
      if (score > alpha && !t.stop) {
        pos.History[MoveFrom(move)][MoveTo(move)] += 100 - ply;
        alpha = score;
        best = move;
        StoreLine(t, ply, move, score);
        if (score >= beta) break;
      }
    }
  }
  ms.listEnd[ply] = ms.listStart[ply];

  if (!legalMove) alpha = inCheck ? MatedScore(ply) : 0;
  const int value = pos.FiftyCount >= 100 ? 0 : alpha;
  if (useTable) StoreNode(t, ply, depth, alphaAtEntry, beta, value, best);
  return value;
}

}  // namespace morvi
