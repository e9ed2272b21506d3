// User move entry: the move must be one the generator produces (for a
// promotion, to the piece the record names) and MakeMove must accept it; then
// it is counted, archived and tested for the third repetition.
#include "engine/user_move.h"

#include <cstdio>

#include "board/position.h"
#include "board/repetition_claim.h"
#include "engine/engine_state.h"
#include "engine/session.h"
#include "engine/xboard_output.h"

namespace morvi {
namespace {

// The generator's list for one position, owned by the engine thread.
struct GeneratedList {
  MoveEntry entries[kMoveStackSize];
  int count = 0;
  void Fill() {
    count = 0;
    position.GenerateMoves(entries, &count);
  }
};
GeneratedList generated;

// The undo record of the last user move.
UndoRecord userUndo;

}  // namespace

bool MoveMatchesRecord(Move move, int from, int to, int movePromotion) {
  if (MoveFrom(move) != from || MoveTo(move) != to) return false;
  return (MoveFlags(move) & kPromotion) == 0 || MovePromotion(move) == WantedPromotion(movePromotion);
}

Move FindGeneratedMove(int from, int to, int movePromotion) {
  generated.Fill();
  for (int i = 0; i < generated.count; ++i) {
    if (MoveMatchesRecord(generated.entries[i].move, from, to, movePromotion)) return generated.entries[i].move;
  }
  return kNoMove;
}

Move FindMoveBySquares(int from, int to) {
  generated.Fill();
  for (int i = 0; i < generated.count; ++i) {
    const Move move = generated.entries[i].move;
    if (MoveFrom(move) == from && MoveTo(move) == to) return move;
  }
  return kNoMove;
}

bool HasLegalMove() { return IsMove(FirstLegalMove()); }

Move FirstLegalMove() {
  generated.Fill();
  SortMoves(generated.entries, 0, generated.count - 1);
  for (int i = 0; i < generated.count; ++i) {
    UndoRecord undo;
    const Move move = generated.entries[i].move;
    if (position.MakeMove(move, undo) == 0) continue;
    position.UnmakeMove(move, undo);
    return move;
  }
  return kNoMove;
}

bool IsLegalReply(Move move, Move reply) {
  if (!IsMove(reply)) return false;
  UndoRecord first;
  if (position.MakeMove(move, first) == 0) return false;
  bool legal = FindGeneratedMove(MoveFrom(reply), MoveTo(reply), MovePromotion(reply)) == reply;
  UndoRecord second;
  if (legal && position.MakeMove(reply, second) == 0) legal = false;
  if (legal) position.UnmakeMove(reply, second);
  position.UnmakeMove(move, first);
  return legal;
}

bool IsRepetition() {
  if (Protocol2()) return StandsForTheThirdTime(position);
  return position.InRepeatList() && StandsForTheThirdTime(position);
}

void EnterUserMove(const CommandRecord& record, std::string& logText) {
  EngineState& s = engineState;
  const auto refuse = [&record](MoveRefusal why) {
    AnnounceIllegalMove(why, record.moveFrom, record.moveTo, record.movePromotion);
  };
  if (s.positionRefused) {
    refuse(MoveRefusal::kRefusedPosition);
    logText = "Move refused: no legal position set up";
    return;
  }
  const Move move = FindGeneratedMove(record.moveFrom, record.moveTo, record.movePromotion);
  if (!IsMove(move)) {
    refuse(MoveRefusal::kNotFound);
    logText = "Move not found in generated moves";
    return;
  }
  if (position.MakeMove(move, userUndo) == 0) {
    refuse(MoveRefusal::kNotMade);
    logText = "Move not doable - maybe in-check";
    return;
  }
  char text[96];
  std::snprintf(text, sizeof text, "Engine: valid move from:%d to:%d promote: %d ", record.moveFrom, record.moveTo,
                record.movePromotion);
  logText = text;
  if (position.SideToMove == Colour::kWhite) ++s.moveNumber;
  s.analysisDone = false;
  if (IsRepetition()) {
    AnnounceResult("1/2-1/2 {Draw by repetition}\n");
    s.engineActive = false;
  }
  position.ArchivePush(move);
}

}  // namespace morvi
