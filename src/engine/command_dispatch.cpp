// The command table of the engine thread: for each identifier its effect,
// its console text and the text for the "Command" log. Edit commands act only
// in edit mode and otherwise say so. Take-backs that find nothing to take
// back change nothing; the move number follows the Black moves really taken
// back.
#include "engine/command_dispatch.h"

#include <atomic>
#include <cstdio>

#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_output.h"
#include "engine/engine_state.h"
#include "engine/init_engine.h"
#include "engine/pondering.h"
#include "engine/time_allocation.h"
#include "engine/uci_session.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "base/console.h"
#include "base/text_scan.h"
#include "search/thinker.h"

namespace morvi {
namespace {

constexpr int kDrawScore = -4000;

std::atomic<bool> quietQuit{false};

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[320];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// One game move taken back; false when there was none. A Black move taken
// back lowers the move number (never below 1); in analysis mode the position
// it leaves is analysed anew.
bool TakeBackMove() {
  if (!position.TakeBack()) return false;
  EngineState& s = engineState;
  if (position.SideToMove == kBlack && s.moveNumber > 1) --s.moveNumber;
  s.analysisDone = false;
  return true;
}

// "white" and "black": the side to move is set by hand.
void SetSideToMove(int side) {
  position.SideToMove = side;
  engineState.engineColour = side ^ 1;
  engineState.analysisDone = false;
}

std::string Level(const CommandRecord& r) {
  EngineState& s = engineState;
  s.movesPerControl = r.levelMoves;
  s.baseTime = ClampToInt(static_cast<long long>(r.levelBase) * 100);
  s.increment = ClampToInt(static_cast<long long>(r.levelIncrement) * 100);
  return Format("Engine: Level %d %d %d", r.levelMoves, r.levelBase, r.levelIncrement);
}

std::string Quit() {
  if (!quietQuit.load()) AnnounceFarewell();
  return "Quiting";
}

// "edit": a position set up by hand has no book line and no history; the
// archive starts again from it when edit mode is left.
std::string EnterEditMode() {
  EngineState& s = engineState;
  s.editMode = true;
  s.editColour = kWhite;
  position.ArchiveCount = 0;
  position.RepeatCount = 0;
  openingBook.inBook = false;
  openingBook.gameText.clear();
  return "Get into Edit Mode";
}

// The error line of an edit command given outside edit mode.
std::string NotInEditMode(const char* command) {
  std::string text = std::string("Error (") + command + " Command not in Edit mode)\n";
  ConsoleWrite(text);
  return text;
}

std::string EditCommand(const CommandRecord& r) {
  EngineState& s = engineState;
  switch (r.id) {
    case CMD_EDIT_COLOUR:
      if (!s.editMode) return NotInEditMode("Change Color");
      s.editColour ^= 1;
      return Format("Edit color change to %d", s.editColour);
    case CMD_EDIT_CLEAR:
      if (!s.editMode) return NotInEditMode("Clear board");
      position.EditClearBoard();
      return "Edit clear board";
    case CMD_EDIT_DONE:
      if (!s.editMode) return NotInEditMode("Leave Edit mode");
      s.editMode = false;
      s.analysisDone = false;
      position.ArchiveRestart();
      return "Leave edit mode";
    case CMD_EDIT_PLACE: {
      if (!s.editMode) return NotInEditMode("Add Piece");
      const char* problem = position.EditPlacementProblem(r.piece, r.square, s.editColour);
      if (problem != nullptr) {
        std::string text = std::string("Error (Add Piece Command refused: ") + problem + ")\n";
        ConsoleWrite(text);
        return text;
      }
      position.EditPlacePiece(r.piece, r.square, s.editColour);
      return Format("Edit piece %d at square %d in color %d", r.piece, r.square, s.editColour);
    }
    case CMD_EDIT_EMPTY:
      if (!s.editMode) return NotInEditMode("Clear Square");
      position.EditClearSquare(r.square);
      return Format("Edit clear square %d", r.square);
    case CMD_EDIT_CASTLE:
      if (!s.editMode) return NotInEditMode("Change Castle Rights");
      position.EditCastleRights(r.castleCode);
      return Format("Edit castleright %d", r.castleCode);
    default:  // CMD_EDIT_EP
      if (!s.editMode) return NotInEditMode("En Passant");
      position.EditEnPassant(r.square);
      return Format("Edit En Passant at square %d", r.square);
  }
}

// The commands that change only the engine's settings and modes.
bool SettingCommand(const CommandRecord& r, std::string& log) {
  EngineState& s = engineState;
  switch (r.id) {
    case CMD_RANDOM:
      evalSettings.randomTerm = !evalSettings.randomTerm;
      log = Format("Random set to %d", evalSettings.randomTerm ? 1 : 0);
      return true;
    case CMD_FORCE: s.engineActive = false; log = "Force set"; return true;
    case CMD_LEVEL: log = Level(r); return true;
    case CMD_TIME: s.ownTime = r.clockValue; log = Format("Engine: Time %d ", r.clockValue); return true;
    case CMD_OTIM: s.opponentTime = r.clockValue; log = Format("Engine: Otim %d ", r.clockValue); return true;
    case CMD_HARD: s.ponderEnabled = true; log = "Ponder from now on"; return true;
    case CMD_EASY: s.ponderEnabled = false; log = "Ponder is off from now on"; return true;
    case CMD_PONDER_MOVE:
      s.ponderEnabled = true;
      log = Format("Engine: ponder from:%d to:%d promote: %d", r.moveFrom, r.moveTo, r.movePromotion);
      return true;
    case CMD_POST: s.postEnabled = true; log = "Thinking out loud from now on"; return true;
    case CMD_NOPOST: s.postEnabled = false; log = "Thinking quietly from now on"; return true;
    case CMD_NAME: s.opponentName = r.nameText; log = "Engine: name " + r.nameText + " \n"; return true;
    case CMD_RATING:
      s.ownRating = r.ratingOwn;
      s.opponentRating = r.ratingOpponent;
      log = Format("Engine: rating %d %d ", r.ratingOwn, r.ratingOpponent);
      return true;
    default: return false;
  }
}

// The commands that change whose turn it is or what the engine does.
bool PlayCommand(const CommandRecord& r, std::string& log) {
  EngineState& s = engineState;
  switch (r.id) {
    case CMD_NEW: InitEngine(); log = "Init engine and board"; return true;
    case CMD_WHITE:
      SetSideToMove(kWhite);
      log = "White set to move - Engine playing black";
      return true;
    case CMD_BLACK:
      SetSideToMove(kBlack);
      log = "BLACK set to move - Engine playing white";
      return true;
    case CMD_GO:
      s.engineActive = true;
      s.engineColour = position.SideToMove;
      log = "Go morvi, go!";
      return true;
    case CMD_MOVE_NOW: s.engineActive = true; log = "Move now!"; return true;
    case CMD_DRAW: log = AnswerDrawOffer(thinker.pvTable[0][0].score); return true;
    case CMD_RESULT:
      s.engineActive = false;
      log = Format("Engine: Result %d %s ", r.resultCode, r.resultText.c_str());
      return true;
    case CMD_UNDO: TakeBackMove(); log = "An UNDO processed"; return true;
    case CMD_REMOVE:
      if (TakeBackMove()) TakeBackMove();
      log = "A REMOVE processed";
      return true;
    case CMD_ANALYZE:
      s.engineActive = false;
      s.analysisMode = true;
      s.postEnabled = true;
      log = "Analysis mode entered";
      return true;
    case CMD_EXIT: s.analysisMode = false; log = "Analysis mode exited"; return true;
    default: return false;
  }
}

// The commands that only tell something.
bool ReportCommand(const CommandRecord& r, std::string& log) {
  switch (r.id) {
    case CMD_DISPLAY: position.PrintBoard(); log = "Print the board"; return true;
    case CMD_XBOARD: return true;  // the input thread has answered it
    case CMD_HINT: log = AnnounceHint(HintMove()); return true;
    case CMD_BOOK: log = WriteBookAnswer(); return true;
    case CMD_STATUS: ReportStatus(); return true;
    default: return false;
  }
}

}  // namespace

std::string AnswerDrawOffer(int engineScore) {
  if (engineScore >= kDrawScore) return {};
  engineState.engineActive = false;
  ConsoleWrite("offer draw\n");
  return "offer draw\n";
}

std::string WriteBookAnswer() {
  // One piece, so that no other output lands between the two lines.
  ConsoleWrite("\tHey buster - play on and stop asking questions\n\tthis is not training program\n\n");
  return "\tthis is not training program\n\n";
}

void RequestQuietQuit() { quietQuit.store(true); }

bool QuietQuitRequested() { return quietQuit.load(); }

bool ExecuteCommand(std::unique_ptr<CommandRecord> record, std::string& logText) {
  const CommandRecord& r = *record;
  logText.clear();
  if (r.id == CMD_QUIT) {
    logText = Quit();
    return true;
  }
  if (r.id >= CMD_UCI && r.id <= CMD_PONDERHIT) {
    logText = ExecuteUciCommand(r);
  } else if (r.id == CMD_USER_MOVE) {
    EnterUserMove(r, logText);
  } else if (r.id == CMD_EDIT) {
    logText = EnterEditMode();
  } else if (r.id >= CMD_EDIT_COLOUR && r.id <= CMD_EDIT_EP) {
    logText = EditCommand(r);
  } else if (!SettingCommand(r, logText) && !PlayCommand(r, logText) && !ReportCommand(r, logText)) {
    logText = Format("Engine: Not handled command: %d", r.id);
  }
  return false;
}

}  // namespace morvi
