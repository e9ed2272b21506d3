// The claim key and the count of a position's earlier stands in the archive.
#include "board/repetition_claim.h"

#include "board/position.h"
#include "board/zobrist.h"

namespace morvi {
namespace {

// The generator's list for the en-passant test (engine thread only).
MoveEntry claimMoves[kMoveStackSize];

bool EnPassantCaptureLegal(Position& pos) {
  int count = 0;
  pos.GenerateMoves(claimMoves, &count);
  for (int i = 0; i < count; ++i) {
    const Move move = claimMoves[i].move;
    if ((MoveFlags(move) & kEnPassant) == 0) continue;
    UndoRecord undo;
    if (pos.MakeMove(move, undo) != 0) {
      pos.UnmakeMove(move, undo);
      return true;
    }
  }
  return false;
}

}  // namespace

std::uint64_t ClaimKey(Position& pos) {
  const std::uint64_t epKey = EpKey(pos.EpSquare);
  if (epKey == 0 || EnPassantCaptureLegal(pos)) return pos.Key;
  return pos.Key ^ epKey;
}

bool StandsForTheThirdTime(Position& pos) {
  const std::uint64_t key = ClaimKey(pos);
  int stands = 0;
  for (int k = 0; k < pos.ArchiveCount; ++k) stands += pos.ArchiveKeys[k] == key ? 1 : 0;
  return stands >= 2;
}

}  // namespace morvi
