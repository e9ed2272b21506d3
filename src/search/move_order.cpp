// The ordering scores of a node's moves and the bookkeeping after a cut.
#include "search/move_order.h"

#include <algorithm>

#include "board/see.h"

namespace morvi {
namespace {

// Most valuable victim first, then least valuable attacker.
int CaptureOrder(const Position& pos, Move move) {
  const int victim = (MoveFlags(move) & kEnPassant) ? kPawn : pos.SquarePiece[MoveTo(move)];
  const int attacker = pos.SquarePiece[MoveFrom(move)];
  const int promoted = (MoveFlags(move) & kPromotion) ? kSeeValue[MovePromotion(move)] : 0;
  return (kSeeValue[victim] + promoted) * 8 - attacker;
}

int TacticalScore(const Position& pos, Move move) {
  if ((MoveFlags(move) & kPromotion) && MovePromotion(move) != kQueen) return kUnderPromotionScore;
  const int exchange = CaptureCannotLose(pos, move) ? 0 : StaticExchange(pos, move);
  if (exchange < 0) return kBadCaptureScore + exchange;
  return kGoodCaptureScore + CaptureOrder(pos, move);
}

int QuietScore(const Position& pos, Move move, const MoveOrdering& order, int ply, PreviousMove previous) {
  if (move == order.killers[ply][0]) return kKillerScore;
  if (move == order.killers[ply][1]) return kKillerScore - 1;
  const int side = Index(pos.SideToMove);
  if (IsMove(previous.move) && previous.piece < kEmpty &&
      move == order.counterMoves[side][previous.piece][MoveTo(previous.move)]) {
    return kCounterMoveScore;
  }
  return order.history[side][MoveFrom(move)][MoveTo(move)];
}

}  // namespace

void MoveOrdering::Clear() {
  for (auto& pair : killers) pair[0] = pair[1] = kNoMove;
  for (auto& side : counterMoves) {
    for (auto& piece : side) std::fill(std::begin(piece), std::end(piece), kNoMove);
  }
  for (auto& side : history) {
    for (auto& from : side) std::fill(std::begin(from), std::end(from), 0);
  }
}

void MoveOrdering::NewSearch() {
  for (auto& pair : killers) pair[0] = pair[1] = kNoMove;
  for (auto& side : history) {
    for (auto& from : side) {
      for (int& entry : from) entry /= 2;
    }
  }
}

void ScoreMoves(const Position& pos, MoveEntry* first, MoveEntry* last, Move tableMove, const MoveOrdering& order,
                int ply, PreviousMove previous) {
  for (MoveEntry* entry = first; entry != last; ++entry) {
    const Move move = entry->move;
    if (move == tableMove) {
      entry->score = kTableMoveScore;
    } else if (IsQuiet(move)) {
      entry->score = QuietScore(pos, move, order, ply, previous);
    } else {
      entry->score = TacticalScore(pos, move);
    }
  }
}

void NoteQuietCutoff(MoveOrdering& order, Colour side, int ply, int depth, Move move, const Move* tried, int count,
                     PreviousMove previous) {
  Move* killers = order.killers[ply];
  if (killers[0] != move) {
    killers[1] = killers[0];
    killers[0] = move;
  }
  const int s = Index(side);
  if (IsMove(previous.move) && previous.piece < kEmpty) {
    order.counterMoves[s][previous.piece][MoveTo(previous.move)] = move;
  }
  const int bonus = HistoryBonus(depth);
  AddHistory(order.history[s][MoveFrom(move)][MoveTo(move)], bonus);
  for (int i = 0; i < count; ++i) {
    if (tried[i] != move) AddHistory(order.history[s][MoveFrom(tried[i])][MoveTo(tried[i])], -bonus);
  }
}

}  // namespace morvi
