// The quiescence search. A node in check searches all its moves and is mated
// when none is legal; any other node stands pat and searches its captures.
// A node at the last row of the tables (or with no room left on the move
// stack) stands pat and goes no deeper, so no line ever reaches ply 128.
#include "search/quiesce.h"

#include "board/position.h"
#include "eval/evaluate.h"
#include "base/config.h"
#include "search/heartbeat.h"
#include "search/node_common.h"
#include "search/thinker.h"
#include "search/table_use.h"
#include "search/transposition.h"

namespace morvi {
namespace {

int StandPatOnly(EvalLevel level, int alpha, int beta) {
  int e = Evaluate(position, level);
  if (e >= beta) return beta;
  if (e > alpha) alpha = e;
  return position.FiftyCount >= 100 ? 0 : alpha;
}

}  // namespace

EvalLevel EvalLevelFor(int remaining) {
  if (remaining < config.FastEvalDepth) return EvalLevel::kFast;
  if (remaining < config.MediumEvalDepth) return EvalLevel::kMedium;
  return EvalLevel::kComplete;
}

int Quiesce(int ply, int depth, int alpha, int beta) {
  Thinker& t = thinker;
  Position& pos = position;
  MoveStack& ms = moveStack;

  EnterNode(t, ply);
  if (HeartbeatDue(searchCounters.nodes, t.heartbeatMask)) HeartbeatInQuiesce();
  if (t.stop) return 0;

  // The table serves the horizon node, where the tree search hands over.
  const bool useTable = ply == depth && transpositionTable.Enabled();
  const int alphaAtEntry = alpha;
  if (useTable) {
    int value = 0;
    Move unused = kNoMove;
    if (ProbeTable(ply, 0, alpha, beta, true, value, unused)) return value;
  }
  bool inCheck = pos.InCheck(pos.SideToMove);
  const EvalLevel level = EvalLevelFor(depth - ply);
  if (!RoomForList(ply, inCheck ? kMaxMoveEntries : kMaxCaptureEntries)) {
    return StandPatOnly(level, alpha, beta);
  }
  if (inCheck) {
    pos.GenerateMoves(ms.entries, &ms.listEnd[ply]);
  } else {
    int e = Evaluate(pos, level);
    if (e > alpha) {
      alpha = e;
      if (e >= beta) return beta;
    }
    pos.GenerateCaptures(ms.entries, &ms.listEnd[ply]);
  }
  FollowPreviousLine(t, ply);
  OrderSegment(ply);

  bool legalMove = false;
  for (int i = ms.listStart[ply]; i < ms.listEnd[ply]; ++i) {
    Move move = ms.entries[i].move;
    UndoRecord undo;
    if (pos.MakeMove(move, undo, inCheck) == 0) continue;
    int score = -Quiesce(ply + 1, depth, -beta, -alpha);
    pos.UnmakeMove(move, undo);
    legalMove = true;
    if (score > alpha && !t.stop) {
      alpha = score;
      StoreLine(t, ply, move, score);
      if (score >= beta) break;
    }
  }
  ms.listEnd[ply] = ms.listStart[ply];

  if (!legalMove) {
    if (inCheck) return MatedScore(ply);
    alpha = Evaluate(pos, level);
  }
  const int value = pos.FiftyCount >= 100 ? 0 : alpha;
  if (useTable && !t.stop) StoreInTable(ply, 0, alphaAtEntry, beta, value, kNoMove);
  return value;
}

}  // namespace morvi
