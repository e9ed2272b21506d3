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

namespace morvi {
namespace {

constexpr int kNullReduction = 3;
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

}  // namespace

int Search(int ply, int depth, int alpha, int beta, bool allowNull) {
  Thinker& t = thinker;
  Position& pos = position;
  MoveStack& ms = moveStack;

  EnterNode(t, ply);
  if (HeartbeatDue(searchCounters.nodes, t.heartbeatMask)) HeartbeatInSearch();
  if (t.stop) return 0;

  bool inCheck = pos.InCheck(pos.SideToMove);
  if (!inCheck && ply > config.NullDepthStart && PrunedEarly(ply, depth, beta, allowNull)) return beta;
  if (ply >= depth || !RoomForList(ply, kMaxMoveEntries)) return Quiesce(ply, depth, alpha, beta);

  bool legalMove = false;
  pos.GenerateMoves(ms.entries, &ms.listEnd[ply]);
  if (ply == 0 && t.rootFilterCount > 0) KeepAllowedRootMoves(t);
  if (ms.listEnd[ply] > ms.listStart[ply]) {
    ++searchCounters.expandedNodes;
    if (ply == 0) t.rootMoveCount = ms.listEnd[0] - ms.listStart[0];
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
        StoreLine(t, ply, move, score);
        if (score >= beta) break;
      }
    }
  }
  ms.listEnd[ply] = ms.listStart[ply];

  if (!legalMove) alpha = inCheck ? MatedScore(ply) : 0;
  return pos.FiftyCount >= 100 ? 0 : alpha;
}

}  // namespace morvi
