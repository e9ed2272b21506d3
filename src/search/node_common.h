// What the tree search and the quiescence search do alike at a node: the
// entry bookkeeping, the room test that keeps every table in bounds, putting
// the previous iteration's move first, ordering the segment, and taking a
// child's line into the node's row of the principal-variation table.
#pragma once

#include "board/move.h"
#include "board/position.h"
#include "search/thinker.h"

namespace morvi {

// The longest list one node can generate with at most 16 pieces a side:
// all moves: king 8 + 2 castlings, 15 pieces of at most 27 moves (queens),
// 2 en-passant captures; captures and promotions only: king 8, 15 pieces of
// at most 12 entries (a pawn's two captures and its push, each promoting to
// four pieces), 2 en-passant captures.
constexpr int kMaxMoveEntries = 10 + 15 * 27 + 2;
constexpr int kMaxCaptureEntries = 8 + 15 * 12 + 2;

// A node may generate a list only if its children's row exists (a node at
// ply p writes the segment bounds of ply p + 1 and reads row p + 1 of the
// table) and the move stack can take the longest list it could produce.
inline bool RoomForList(int ply, int longestList) {
  return ply < kMaxPly - 1 && moveStack.listEnd[ply] + longestList <= kMoveStackSize;
}

// Step 1 of both searches.
inline void EnterNode(Thinker& t, int ply) {
  ++searchCounters.nodes;
  t.pvLength[ply] = ply;
  if (ply > t.maxPly) t.maxPly = ply;
}

// While followPv holds, the first entry of the segment equal to the previous
// iteration's move at this ply is searched first; beyond the end of that line
// the flag is dropped for the rest of the iteration. At the ply just past its
// last move the line has no move to offer: the entry there is whatever an
// earlier, longer line left, so it is not used.
inline void FollowPreviousLine(Thinker& t, int ply) {
  if (!t.followPv) return;
  if (ply > t.prevPvLength) {
    t.followPv = false;
    return;
  }
  if (ply == t.prevPvLength) return;
  Move wanted = t.prevPv[ply].move;
  MoveEntry* entries = moveStack.entries;
  for (int i = moveStack.listStart[ply]; i < moveStack.listEnd[ply]; ++i) {
    if (entries[i].move == wanted) {
      entries[i].score = kPvMoveScore;
      return;
    }
  }
}

// Sorts the node's segment, highest score first, and opens the children's
// segment right after it.
inline void OrderSegment(int ply) {
  MoveStack& ms = moveStack;
  if (ms.listEnd[ply] - ms.listStart[ply] > 1) SortMoves(ms.entries, ms.listStart[ply], ms.listEnd[ply] - 1);
  ms.listStart[ply + 1] = ms.listEnd[ply];
  ms.listEnd[ply + 1] = ms.listEnd[ply];
}

// The move raised alpha: it heads the node's row, followed by the child's line.
inline void StoreLine(Thinker& t, int ply, Move move, int score) {
  PvEntry* row = t.pvTable[ply];
  const PvEntry* childRow = t.pvTable[ply + 1];
  row[ply] = {move, score};
  int childLength = t.pvLength[ply + 1];
  for (int j = ply + 1; j < childLength; ++j) row[j] = childRow[j];
  t.pvLength[ply] = childLength;
}

}  // namespace morvi
