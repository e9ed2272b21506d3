// The line is played on the position and taken back again; the generator's
// list is kept in a buffer of this file's own (engine thread only), so that
// the shared move stack of a running search is never touched.
#include "board/legal_line.h"

#include <algorithm>

namespace morvi {
namespace {

struct LineBuffer {
  MoveEntry generated[kMoveStackSize];
  UndoRecord undo[kMaxPly];
};
LineBuffer lineBuffer;

bool Generates(const Position& pos, Move move) {
  int count = 0;
  pos.GenerateMoves(lineBuffer.generated, &count);
  return std::any_of(lineBuffer.generated, lineBuffer.generated + count,
                     [move](const MoveEntry& entry) { return entry.move == move; });
}

}  // namespace

int LegalLineLength(Position& pos, const Move* line, int length) {
  int played = 0;
  const int most = std::min(length, kMaxPly);
  while (played < most && Generates(pos, line[played]) && pos.MakeMove(line[played], lineBuffer.undo[played]) != 0) {
    ++played;
  }
  for (int i = played - 1; i >= 0; --i) pos.UnmakeMove(line[i], lineBuffer.undo[i]);
  return played;
}

}  // namespace morvi
