// The UCI "position" command. The board keeps the game it was given: when the
// new command has the same base and its moves begin with the moves already
// played, only the new ones are played, so that the archive, the repetition
// list and the book's record of the game grow as they do in a game played
// move by move. Otherwise the base is set up afresh and every move played. A
// move the position does not allow ends the list there.
#include <string>

#include "board/fen.h"
#include "board/notation.h"
#include "board/position.h"
#include "book/opening_book.h"
#include "engine/uci_output.h"
#include "engine/engine_state.h"
#include "engine/uci_session.h"
#include "engine/user_move.h"
#include "base/text_scan.h"

namespace morvi {
namespace {

bool PlayMove(const std::string& text) {
  const Move move = UciLegalMove(text);
  UndoRecord undo;
  if (!IsMove(move) || position.MakeMove(move, undo) == 0) return false;
  if (position.SideToMove == Colour::kWhite) ++engineState.moveNumber;
  position.ArchivePush(move);
  return true;
}

// The base as the session keeps it: "startpos", or "fen " and the FEN.
std::string BaseKey(const CommandRecord& r) { return r.positionFen ? "fen " + r.positionBase : r.positionBase; }

bool Extends(const UciSession& u, const CommandRecord& r) {
  if (!u.positionValid || u.base != BaseKey(r) || r.positionMoves.size() < u.moves.size()) return false;
  for (size_t i = 0; i < u.moves.size(); ++i) {
    if (LowerCase(r.positionMoves[i]) != LowerCase(u.moves[i])) return false;
  }
  return true;
}

// A new base on the board: the start position with a new book line, or a FEN
// (out of the book, the archive starting from it). False for a FEN refused or
// one the engine cannot play from: "go" then answers without a move.
bool SetBase(const CommandRecord& r) {
  const std::string& base = r.positionBase;
  if (!r.positionFen) {
    position.NewGame();
    BookLoad();
    engineState.moveNumber = 1;
    return true;
  }
  int fullMove = 1;
  if (!LoadFen(position, base, &fullMove)) return false;  // the board is left as it was
  position.ArchiveRestart();
  openingBook.inBook = false;
  openingBook.gameText.clear();
  engineState.moveNumber = fullMove;
  return position.IsPlayable();
}

}  // namespace

Move UciLegalMove(const std::string& text) {
  CoordinateMove read;  // UCI moves are taken in either case: "E2E4", "e7e8Q"
  if (!ParseCoordinateMove(LowerCase(text), LetterCase::kLower, read)) return kNoMove;
  const Move move = FindGeneratedMove(read.from, read.to, read.promotion);
  UndoRecord undo;
  if (!IsMove(move) || position.MakeMove(move, undo) == 0) return kNoMove;
  position.UnmakeMove(move, undo);
  return move;
}

std::string SetUciPosition(const CommandRecord& r) {
  UciSession& u = uciSession;
  size_t first = u.moves.size();
  if (!Extends(u, r)) {
    first = 0;
    u.moves.clear();
    u.base = BaseKey(r);
    u.positionValid = SetBase(r);
    if (!u.positionValid) {
      AnnounceInfo("position refused: " + r.positionBase);
      return "Position refused";
    }
  }
  for (size_t i = first; i < r.positionMoves.size(); ++i) {
    if (!PlayMove(r.positionMoves[i])) {
      AnnounceInfo("illegal move in position: " + r.positionMoves[i]);
      break;
    }
    u.moves.push_back(r.positionMoves[i]);
  }
  return "Position set";
}

}  // namespace morvi
