// The line is played on the position and taken back again; the generator's
// list and the positions the line passes through are kept in a buffer of
// this file's own (engine thread only), so that the shared move stack of a
// running search is never touched. Positions are compared as the game's
// repetition test compares them.
#include "board/legal_line.h"

#include <algorithm>

namespace morvi {
namespace {

struct LineBuffer {
  MoveEntry generated[kMoveStackSize];
  UndoRecord undo[kMaxPly];
  int passed[kMaxPly][kArchiveWords];  // the position after each move played
};
LineBuffer lineBuffer;

bool Generates(const Position& pos, Move move) {
  int count = 0;
  pos.GenerateMoves(lineBuffer.generated, &count);
  return std::any_of(lineBuffer.generated, lineBuffer.generated + count,
                     [move](const MoveEntry& entry) { return entry.move == move; });
}

// How often the position stood on the board before: in the game (back to
// its last capture) and on the line's first `played` moves.
int EarlierStands(const Position& pos, int played) {
  int stands = 0;
  for (int j = 0; j < played; ++j) stands += pos.SamePosition(lineBuffer.passed[j]) ? 1 : 0;
  for (int k = pos.ArchiveCount - 1; k >= 0; --k) {
    stands += pos.SamePosition(pos.Archive[k]) ? 1 : 0;
    if ((pos.Archive[k][0] & kCapture) != 0) break;  // positions before a capture cannot recur
  }
  return stands;
}

}  // namespace

int PlayableLineLength(Position& pos, const Move* line, int length) {
  int played = 0;
  const int most = std::min(length, kMaxPly);
  bool over = false;
  while (!over && played < most && Generates(pos, line[played]) &&
         pos.MakeMove(line[played], lineBuffer.undo[played]) != 0) {
    over = pos.FiftyCount >= 100 || EarlierStands(pos, played) >= 2;
    pos.StorePosition(lineBuffer.passed[played]);
    ++played;
  }
  for (int i = played - 1; i >= 0; --i) pos.UnmakeMove(line[i], lineBuffer.undo[i]);
  return played;
}

}  // namespace morvi
