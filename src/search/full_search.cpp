// The full search's tree and quiescence search: a fail-soft alpha-beta
// search over the worker's position with the transposition table at every
// node, repetitions of the line and of the game scored as draws, and moves
// tried best first by a selection over the node's own list.
#include "search/full_search.h"

#include <algorithm>

#include "board/zobrist.h"
#include "board/see.h"
#include "eval/evaluate.h"
#include "search/heartbeat.h"
#include "search/node_common.h"
#include "search/quiesce.h"
#include "search/reductions.h"
#include "search/table_use.h"
#include "search/transposition.h"

namespace morvi {
namespace {

// Scores this close to a mate are mates (or the way to one); nothing the
// evaluation gives comes near.
constexpr int kMateScores = kMateBase - 1024 * kMaxPly;

// Reverse futility: at most this deep, a static evaluation this far above
// beta per ply of depth is taken as a cut.
constexpr int kReverseFutilityDepth = 7;
constexpr int kReverseFutilityMargin = 820;  // eight tenths of a pawn a ply

// Futility: at most this deep, a quiet move is not tried when the static
// evaluation and a pawn more a ply (and one more) cannot reach alpha.
constexpr int kFutilityDepth = 3;
constexpr int FutilityMargin(int depth) { return 1024 + 1024 * depth; }

// Late-move pruning: at most this deep, no more quiet moves after this many.
constexpr int kLateMovePruningDepth = 8;
constexpr int LateMoveCount(int depth, bool improving) { return (3 + depth * depth) / (improving ? 1 : 2); }

// Losing captures near the horizon: not tried when they lose more than a
// pawn a ply of depth.
constexpr int kLosingCaptureDepth = 6;

// The quiescence search's delta: a capture is not tried when even the piece
// it takes and this much more cannot lift the evaluation to alpha.
constexpr int kDelta = 2048;

// The null move's reduction: three plies and a third of the depth.
constexpr int NullMoveReduction(int depth) { return 3 + depth / 3; }

// A side with nothing but pawns and its king may be in zugzwang, where
// passing would be a move it does not have: no null move for it. Read from
// the node's evaluation, which counts the pieces of each side.
bool HasPieces(const Position& pos) { return pos.eval.pieceMaterial[pos.SideToMove] > 0; }

// A node may generate a list only while its children's row exists and its
// segment of the worker's move lists can take the longest list.
bool RoomFor(const SearchWorker& w, int ply, int longestList) {
  return ply < kMaxPly - 2 && w.moves.listStart[ply] + longestList <= kMoveStackSize;
}

// A helper thread's look at the outside, every this many nodes plus one:
// its nodes told, and the main search's stop taken.
constexpr std::int64_t kHelperPollMask = 1023;

void PollAsHelper(SearchWorker& w) {
  if (w.nodesShown != nullptr) w.nodesShown->store(w.counters.nodes, std::memory_order_relaxed);
  if (w.stopSignal != nullptr && w.stopSignal->load(std::memory_order_relaxed)) w.t.stop = true;
}

// Node entry: the count, the heartbeat (the main search, which has the
// caller) or a helper's poll, the deepest ply and an empty line.
bool EnterFullNode(SearchWorker& w, int ply) {
  Thinker& t = w.t;
  ++w.counters.nodes;
  if (w.main) {
    if (HeartbeatDue(w.counters.nodes, t.heartbeatMask)) HeartbeatInSearch();
  } else if ((w.counters.nodes & kHelperPollMask) == 0) {
    PollAsHelper(w);
  }
  t.pvLength[ply] = ply;
  if (ply > t.maxPly) t.maxPly = ply;
  return !t.stop;
}

// The move that led to the node at `ply`, and the piece it moved.
PreviousMove PreviousAt(const SearchWorker& w, int ply) {
  if (ply == 0) return {};
  const Move move = w.stack[ply - 1].move;
  return IsMove(move) ? PreviousMove{move, w.pos.SquarePiece[MoveTo(move)]} : PreviousMove{};
}

// The tree search node's moves, generated into its segment and scored for
// the order of move_order.h.
void GenerateNodeMoves(SearchWorker& w, int ply, Move tableMove) {
  MoveStack& ms = w.moves;
  ms.listEnd[ply] = ms.listStart[ply];
  w.pos.GenerateMoves(ms.entries, &ms.listEnd[ply]);
  ScoreMoves(w.pos, ms.entries + ms.listStart[ply], ms.entries + ms.listEnd[ply], tableMove, w.order, ply,
             PreviousAt(w, ply));
  ms.listStart[ply + 1] = ms.listEnd[ply + 1] = ms.listEnd[ply];
}

// The quiescence node's moves (captures and promotions, or every move in
// check): most valuable victim first as generated, the table's move before all.
void GenerateQuiescenceMoves(SearchWorker& w, int ply, bool inCheck, Move tableMove) {
  MoveStack& ms = w.moves;
  ms.listEnd[ply] = ms.listStart[ply];
  if (inCheck) {
    w.pos.GenerateMoves(ms.entries, &ms.listEnd[ply]);
  } else {
    w.pos.GenerateCaptures(ms.entries, &ms.listEnd[ply]);
  }
  if (IsMove(tableMove)) {
    for (int i = ms.listStart[ply]; i < ms.listEnd[ply]; ++i) {
      if (ms.entries[i].move == tableMove) ms.entries[i].score = kTableMoveScore;
    }
  }
  ms.listStart[ply + 1] = ms.listEnd[ply + 1] = ms.listEnd[ply];
}

// The best move not yet tried, swapped to position i of the segment.
Move PickMove(SearchWorker& w, int ply, int i) {
  MoveEntry* entries = w.moves.entries;
  int best = i;
  for (int j = i + 1; j < w.moves.listEnd[ply]; ++j) {
    if (entries[j].score > entries[best].score) best = j;
  }
  std::swap(entries[i], entries[best]);
  return entries[i].move;
}

// The move raised alpha: it heads the node's line, the child's line after it.
void TakeLine(Thinker& t, int ply, Move move, int score) {
  PvEntry* row = t.pvTable[ply];
  row[ply] = {move, score};
  const int childLength = t.pvLength[ply + 1];
  for (int j = ply + 1; j < childLength; ++j) row[j] = t.pvTable[ply + 1][j];
  t.pvLength[ply] = std::max(childLength, ply + 1);
}

// The root keeps only the moves it may search: those of a restricted
// search's list, and not those already found as better lines.
void KeepRootMoves(SearchWorker& w) {
  MoveStack& ms = w.moves;
  const Move* filter = w.t.rootFilter;
  const Move* filterEnd = filter + w.t.rootFilterCount;
  int kept = ms.listStart[0];
  for (int i = ms.listStart[0]; i < ms.listEnd[0]; ++i) {
    const Move move = ms.entries[i].move;
    const bool allowed = w.t.rootFilterCount == 0 || std::find(filter, filter + w.t.rootFilterCount, move) != filterEnd;
    const bool taken = std::find(w.excluded, w.excluded + w.excludedCount, move) != w.excluded + w.excludedCount;
    if (allowed && !taken) ms.entries[kept++] = ms.entries[i];
  }
  ms.listEnd[0] = kept;
  ms.listStart[1] = ms.listEnd[1] = kept;
}

// The table's entry for the node: its move, and whether its score settles
// the node: searched deep enough, it fails high or low against the window.
// A node of the principal variation is never settled so, so that its line
// reaches the root whole.
struct TableProbe {
  Move move = kNoMove;
  bool settles = false;
  int score = 0;
};

TableProbe ProbeFull(SearchWorker& w, int ply, int depth, int alpha, int beta, bool pvNode) {
  TableProbe probe;
  if (!transpositionTable.Enabled()) return probe;
  const std::optional<TableEntry> entry = transpositionTable.Probe(TableKey(w.pos));
  if (!entry) return probe;
  probe.move = entry->move;
  if (pvNode || entry->depth < depth) return probe;
  probe.score = ScoreFromTable(entry->score, ply);
  probe.settles = (entry->bound != Bound::kUpper && probe.score >= beta) ||
                  (entry->bound != Bound::kLower && probe.score <= alpha);
  if (probe.settles) ++transpositionTable.counters.cutoffs;
  return probe;
}

void StoreFull(SearchWorker& w, int ply, int depth, int alphaAtEntry, int beta, int score, Move best) {
  if (!transpositionTable.Enabled() || w.t.stop || (ply == 0 && (w.t.rootFilterCount > 0 || w.excludedCount > 0))) {
    return;
  }
  const Bound bound = score <= alphaAtEntry ? Bound::kUpper : score >= beta ? Bound::kLower : Bound::kExact;
  transpositionTable.Store(TableKey(w.pos), std::min(depth, 127), bound, ScoreToTable(score, ply), best);
}

}  // namespace

std::uint64_t RepetitionKey(const Position& pos) { return pos.Key ^ EpKey(pos.EpSquare); }

bool IsRepeated(const SearchWorker& w, int ply) {
  const std::uint64_t key = RepetitionKey(w.pos);
  const int reach = w.pos.FiftyCount;  // no position before the last capture or pawn move can recur
  for (int back = 2; back <= reach; back += 2) {
    const int at = ply - back;
    if (at >= 0) {
      // A null move between breaks the line: the positions before it are
      // not the game's.
      if (!IsMove(w.stack[at].move) || !IsMove(w.stack[at + 1].move)) return false;
      if (w.stack[at].key == key) return true;
      continue;
    }
    const int game = w.gameKeyCount + at;
    if (game < 0) return false;
    if (w.gameKeys[game] == key) return true;
  }
  return false;
}

int FullSearch(SearchWorker& w, int ply, int depth, int alpha, int beta) {
  if (depth <= 0) return FullQuiesce(w, ply, 0, alpha, beta);
  if (!EnterFullNode(w, ply)) return 0;
  Position& pos = w.pos;
  Thinker& t = w.t;
  const bool pvNode = beta - alpha > 1;
  w.stack[ply].key = RepetitionKey(pos);
  if (ply > 0) {
    if (pos.FiftyCount >= 100 || IsRepeated(w, ply)) return 0;
    if (!RoomFor(w, ply, kMaxMoveEntries)) return Evaluate(pos, EvalLevel::kComplete);
    // Mate-distance pruning: no line from here mates sooner than the next
    // ply or is mated later than this one.
    alpha = std::max(alpha, MatedScore(ply));
    beta = std::min(beta, -MatedScore(ply + 1));
    if (alpha >= beta) return alpha;
  }

  const TableProbe probe = ProbeFull(w, ply, depth, alpha, beta, pvNode || ply == 0);
  if (probe.settles) return probe.score;

  const bool inCheck = pos.InCheck(pos.SideToMove);
  const int staticEval = inCheck ? -kInfinity : Evaluate(pos, EvalLevel::kComplete);
  w.stack[ply].staticEval = staticEval;
  if (!pvNode && !inCheck && ply > 0) {
    // Reverse futility (the static null move): so far above beta that the
    // plies left will not bring it down.
    if (depth <= kReverseFutilityDepth && staticEval - kReverseFutilityMargin * depth >= beta &&
        staticEval < kMateScores) {
      return staticEval;
    }
    // The null move: when the side to move may pass and is still at beta
    // or above, a move of its own would be too; not twice in a row.
    if (depth >= 2 && staticEval >= beta && IsMove(w.stack[ply - 1].move) && HasPieces(pos)) {
      UndoRecord undo;
      pos.MakeNullMove(undo);
      w.stack[ply].move = kNoMove;
      w.moves.listStart[ply + 1] = w.moves.listStart[ply];  // this node has no list yet
      const int score = -FullSearch(w, ply + 1, depth - 1 - NullMoveReduction(depth), -beta, -beta + 1);
      pos.UnmakeNullMove(undo);
      if (t.stop) return 0;
      if (score >= beta) return score >= kMateScores ? beta : score;  // a mate found by passing is no proof
    }
  }

  // Internal iterative reduction: a node the table knows no move for is
  // searched a ply less (its move ordering is a guess).
  if (depth >= 4 && !IsMove(probe.move) && ply > 0) --depth;
  const bool improving = !inCheck && ply >= 2 && staticEval > w.stack[ply - 2].staticEval;

  const int alphaAtEntry = alpha;
  w.order.killers[ply + 2][0] = w.order.killers[ply + 2][1] = kNoMove;
  GenerateNodeMoves(w, ply, probe.move);
  if (ply == 0) {
    if (t.rootFilterCount > 0 || w.excludedCount > 0) KeepRootMoves(w);
    t.rootMoveCount = w.moves.listEnd[0] - w.moves.listStart[0];
  }

  int best = -kInfinity;
  Move bestMove = kNoMove;
  int legal = 0;
  Move quiets[64];  // the quiet moves tried, for the history's malus
  int quietCount = 0;
  const int side = Index(pos.SideToMove);
  for (int i = w.moves.listStart[ply]; i < w.moves.listEnd[ply]; ++i) {
    const Move move = PickMove(w, ply, i);
    const int orderScore = w.moves.entries[i].score;
    UndoRecord undo;
    if (pos.MakeMove(move, undo, inCheck) == 0) continue;
    ++legal;
    ++w.counters.movesSearched;
    if (ply == 0 && w.main) ReportRootMove(t, move, legal);
    const bool quiet = IsQuiet(move);
    w.stack[ply].move = move;
    // A move that checks is searched a ply deeper (while the line is not
    // yet twice the iteration's depth long).
    const bool givesCheck = pos.InCheck(pos.SideToMove);
    // Near the horizon, once a move has been searched: quiet moves past
    // the first few, or too far below alpha to matter, and captures that
    // lose much are not tried (never in check, nor when the move checks).
    if (ply > 0 && !inCheck && !givesCheck && legal > 1 && best > -kMateScores) {
      const bool prune = quiet ? (depth <= kLateMovePruningDepth && quietCount >= LateMoveCount(depth, improving)) ||
                                     (depth <= kFutilityDepth && staticEval + FutilityMargin(depth) <= alpha)
                               : depth <= kLosingCaptureDepth && orderScore < 0 &&
                                     orderScore - kBadCaptureScore < -1024 * depth;
      if (prune) {
        pos.UnmakeMove(move, undo);
        continue;
      }
    }
    const int newDepth = depth - 1 + (givesCheck && ply < 2 * w.rootDepth ? 1 : 0);
    // Principal-variation search: the first move with the window, the
    // others with a null window around alpha (late quiet moves and losing
    // captures reduced, and searched again to the full depth when they beat
    // alpha), searched again with the window when they land inside it.
    int score = 0;
    if (legal == 1) {
      score = -FullSearch(w, ply + 1, newDepth, -beta, -alpha);
    } else {
      int r = 0;
      if (depth >= 3 && (quiet || orderScore < 0)) {
        r = LateMoveReduction(depth, legal);
        if (pvNode) --r;
        if (givesCheck || inCheck) --r;
        if (orderScore >= kCounterMoveScore) --r;  // a killer or the counter move
        if (quiet) r -= w.order.history[side][MoveFrom(move)][MoveTo(move)] / (kHistoryLimit / 2);
        if (!improving) ++r;
        r = std::clamp(r, 0, std::max(newDepth - 1, 0));
      }
      score = -FullSearch(w, ply + 1, newDepth - r, -alpha - 1, -alpha);
      if (score > alpha && r > 0 && !t.stop) score = -FullSearch(w, ply + 1, newDepth, -alpha - 1, -alpha);
      if (score > alpha && score < beta && !t.stop) score = -FullSearch(w, ply + 1, newDepth, -beta, -alpha);
    }
    pos.UnmakeMove(move, undo);
    if (ply == 0) t.rootMovesLeft = w.moves.listEnd[0] - i - 1;
    if (t.stop) return 0;
    if (score > best) {
      best = score;
      if (score > alpha) {
        bestMove = move;
        alpha = score;
        TakeLine(t, ply, move, score);
        if (score >= beta) {
          if (quiet) NoteQuietCutoff(w.order, pos.SideToMove, ply, depth, move, quiets, quietCount, PreviousAt(w, ply));
          break;
        }
      }
    }
    if (quiet && quietCount < 64) quiets[quietCount++] = move;
  }
  w.moves.listEnd[ply] = w.moves.listStart[ply];
  if (legal == 0) return inCheck ? MatedScore(ply) : 0;
  ++w.counters.expandedNodes;
  StoreFull(w, ply, depth, alphaAtEntry, beta, best, bestMove);
  return best;
}

int FullQuiesce(SearchWorker& w, int ply, int qply, int alpha, int beta) {
  if (!EnterFullNode(w, ply)) return 0;
  Position& pos = w.pos;
  Thinker& t = w.t;
  w.stack[ply].key = RepetitionKey(pos);
  if (pos.FiftyCount >= 100) return 0;
  const bool inCheck = pos.InCheck(pos.SideToMove);
  const EvalLevel level = EvalLevelFor(-qply);
  if (!RoomFor(w, ply, kMaxMoveEntries)) return Evaluate(pos, level);

  const TableProbe probe = ProbeFull(w, ply, 0, alpha, beta, beta - alpha > 1);
  if (probe.settles) return probe.score;

  const int alphaAtEntry = alpha;
  int best = -kInfinity;
  if (!inCheck) {
    best = Evaluate(pos, level);
    if (best >= beta) return best;
    alpha = std::max(alpha, best);
  }
  GenerateQuiescenceMoves(w, ply, inCheck, probe.move);
  Move bestMove = kNoMove;
  int legal = 0;
  const int standPat = best;
  for (int i = w.moves.listStart[ply]; i < w.moves.listEnd[ply]; ++i) {
    const Move move = PickMove(w, ply, i);
    // Out of check, captures that lose material, or that cannot bring the
    // evaluation near alpha, are not tried.
    if (!inCheck && (MoveFlags(move) & kPromotion) == 0) {
      const int taken = (MoveFlags(move) & kEnPassant) ? kPawn : pos.SquarePiece[MoveTo(move)];
      if (standPat + kSeeValue[taken] + kDelta <= alpha) continue;
      if (!CaptureCannotLose(pos, move) && StaticExchange(pos, move) < 0) continue;
    }
    UndoRecord undo;
    if (pos.MakeMove(move, undo, inCheck) == 0) continue;
    ++legal;
    w.stack[ply].move = move;
    const int score = -FullQuiesce(w, ply + 1, qply + 1, -beta, -alpha);
    pos.UnmakeMove(move, undo);
    if (t.stop) return 0;
    if (score > best) {
      best = score;
      if (score > alpha) {
        bestMove = move;
        alpha = score;
        TakeLine(t, ply, move, score);
        if (score >= beta) break;
      }
    }
  }
  w.moves.listEnd[ply] = w.moves.listStart[ply];
  if (inCheck && legal == 0) return MatedScore(ply);
  StoreFull(w, ply, 0, alphaAtEntry, beta, best, bestMove);
  return best;
}

}  // namespace morvi
