// The xboard session's command table: for each identifier its effect, its
// console text and the text for the "Command" log. Edit commands act only in
// edit mode and otherwise say so. Take-backs that find nothing to take back
// change nothing; the move number follows the Black moves really taken back.
#include "engine/xboard_session.h"

#include <algorithm>
#include <cstdio>

#include "base/config.h"
#include "base/text_scan.h"
#include "board/fen.h"
#include "board/position.h"
#include "book/opening_book.h"
#include "engine/engine_options.h"
#include "engine/engine_state.h"
#include "engine/init_engine.h"
#include "engine/pondering.h"
#include "engine/search_choice.h"
#include "engine/time_allocation.h"
#include "engine/user_move.h"
#include "engine/xboard_output.h"
#include "eval/evaluate.h"
#include "search/search_threads.h"
#include "search/thinker.h"
#include "search/transposition.h"

namespace morvi {
namespace {

constexpr int kDrawScore = -4000;

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
  if (position.SideToMove == Colour::kBlack && s.moveNumber > 1) --s.moveNumber;
  s.analysisDone = false;
  return true;
}

// "white" and "black": the side to move is set by hand.
void SetSideToMove(Colour side) {
  position.SideToMove = side;
  position.RefreshKey();
  engineState.engineColour = Opponent(side);
  engineState.analysisDone = false;
}

// The increment may come to the millisecond (protocol 2: "level 0 1 0.5");
// the clocks keep centiseconds.
std::string Level(const CommandRecord& r) {
  EngineState& s = engineState;
  s.movesPerControl = r.levelMoves;
  s.baseTime = ClampToInt(static_cast<long long>(r.levelBase) * 100);
  s.moveTimeMs = 0;  // a time control replaces a time per move
  if (r.levelIncrementMs >= 0) {
    s.increment = r.levelIncrementMs / 10;
    return Format("Engine: Level %d %d %d.%03d", r.levelMoves, r.levelBase, r.levelIncrementMs / 1000,
                  r.levelIncrementMs % 1000);
  }
  s.increment = ClampToInt(static_cast<long long>(r.levelIncrement) * 100);
  return Format("Engine: Level %d %d %d", r.levelMoves, r.levelBase, r.levelIncrement);
}

// "edit": a position set up by hand has no book line and no history; the
// archive starts again from it when edit mode is left.
std::string EnterEditMode() {
  EngineState& s = engineState;
  s.editMode = true;
  s.editColour = Colour::kWhite;
  s.positionRefused = false;
  position.ArchiveCount = 0;
  position.RepeatCount = 0;
  openingBook.inBook = false;
  openingBook.gameText.clear();
  transpositionTable.Clear();
  return "Get into Edit Mode";
}

// "setboard FEN": the game starts afresh from the position, out of the book,
// with an empty table and no line of an earlier search. A text that is no
// FEN, or a position the engine cannot play from, is refused: every move is
// then refused and the engine plays nothing until "new", "edit" or a
// position it can play.
std::string SetBoard(const CommandRecord& r) {
  EngineState& s = engineState;
  int fullMove = 1;
  const bool loaded = LoadFen(position, r.argument, &fullMove);
  if (!loaded || !position.IsPlayable()) {
    s.positionRefused = true;
    // A position whose only fault is the side not to move standing in check
    // is one no game reaches: an analyser of the other side's moves
    // (pychess's spy arrow) is sent one at every check, and is answered in
    // the protocol's quiet form, not with a message box.
    AnnounceIllegalPosition(r.argument, loaded && position.PiecesArePlayable());
    return "Position refused: " + r.argument;
  }
  position.ArchiveRestart();
  openingBook.inBook = false;
  openingBook.gameText.clear();
  transpositionTable.Clear();
  thinker.pvLength[0] = 0;
  s.positionRefused = false;
  s.analysisDone = false;
  s.moveNumber = fullMove;
  return "Position set: " + r.argument;
}

// "option NAME=VALUE": a configuration key, as a UCI "setoption" sets it.
std::string SetOption(const std::string& argument) {
  const size_t equals = argument.find('=');
  const std::string name = argument.substr(0, equals);
  const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
  std::string log = ApplyKeyOption(name, value).value_or("Option refused: " + argument);
  SizeSearchToConfiguration();
  return log;
}

// The commands of the protocol's second version.
bool Protocol2Command(const CommandRecord& r, std::string& log) {
  EngineState& s = engineState;
  switch (r.id) {
    case CommandId::kProtover:
      AdoptModernDefaults(config);
      log = Format("Protocol version %d", r.number);
      return true;
    case CommandId::kPing:  // on the engine's move, the answer follows the move
      if (EngineOnMove(s, position.SideToMove)) {
        xboardSession.Defer(r);
      } else {
        AnnouncePong(r.argument);
      }
      return true;
    case CommandId::kSetboard: log = SetBoard(r); return true;
    case CommandId::kSt: s.moveTimeMs = r.number; log = Format("Time per move %d ms", r.number); return true;
    case CommandId::kSd: s.depthLimit = r.number; log = Format("Depth limit %d", r.number); return true;
    case CommandId::kMemory:
      config.Hash = std::min(r.number, static_cast<int>(kMaxHashMegabytes));
      SizeTableToConfiguration();
      log = Format("Memory %d MB", r.number);
      return true;
    case CommandId::kCores:
      config.Threads = std::clamp(r.number, 1, kMaxThreads);
      SizeSearchToConfiguration();
      log = Format("Cores %d", r.number);
      return true;
    case CommandId::kOption: log = SetOption(r.argument); return true;
    default: return false;
  }
}

// The error line of an edit command given outside edit mode.
std::string NotInEditMode(const char* command) {
  std::string text = std::string("Error (") + command + " Command not in Edit mode)\n";
  AnnounceRefusal(text);
  return text;
}

std::string EditCommand(const CommandRecord& r) {
  EngineState& s = engineState;
  switch (r.id) {
    case CommandId::kEditColour:
      if (!s.editMode) return NotInEditMode("Change Color");
      s.editColour = Opponent(s.editColour);
      return Format("Edit color change to %d", ColourNumber(s.editColour));
    case CommandId::kEditClear:
      if (!s.editMode) return NotInEditMode("Clear board");
      position.EditClearBoard();
      return "Edit clear board";
    case CommandId::kEditDone:
      if (!s.editMode) return NotInEditMode("Leave Edit mode");
      s.editMode = false;
      s.analysisDone = false;
      position.ArchiveRestart();
      return "Leave edit mode";
    case CommandId::kEditPlace: {
      if (!s.editMode) return NotInEditMode("Add Piece");
      const char* problem = position.EditPlacementProblem(r.piece, r.square, s.editColour);
      if (problem != nullptr) {
        std::string text = std::string("Error (Add Piece Command refused: ") + problem + ")\n";
        AnnounceRefusal(text);
        return text;
      }
      position.EditPlacePiece(r.piece, r.square, s.editColour);
      return Format("Edit piece %d at square %d in color %d", r.piece, r.square, ColourNumber(s.editColour));
    }
    case CommandId::kEditEmpty:
      if (!s.editMode) return NotInEditMode("Clear Square");
      position.EditClearSquare(r.square);
      return Format("Edit clear square %d", r.square);
    case CommandId::kEditCastle:
      if (!s.editMode) return NotInEditMode("Change Castle Rights");
      position.EditCastleRights(r.castleCode);
      return Format("Edit castleright %d", r.castleCode);
    default:  // CommandId::kEditEp
      if (!s.editMode) return NotInEditMode("En Passant");
      position.EditEnPassant(r.square);
      return Format("Edit En Passant at square %d", r.square);
  }
}

// The commands that change only the engine's settings and modes.
bool SettingCommand(const CommandRecord& r, std::string& log) {
  EngineState& s = engineState;
  switch (r.id) {
    case CommandId::kRandom:
      evalSettings.randomTerm = !evalSettings.randomTerm;
      log = Format("Random set to %d", evalSettings.randomTerm ? 1 : 0);
      return true;
    case CommandId::kForce: s.engineActive = false; log = "Force set"; return true;
    case CommandId::kLevel: log = Level(r); return true;
    case CommandId::kTime: s.ownTime = r.clockValue; log = Format("Engine: Time %d ", r.clockValue); return true;
    case CommandId::kOtim: s.opponentTime = r.clockValue; log = Format("Engine: Otim %d ", r.clockValue); return true;
    case CommandId::kHard: s.ponderEnabled = true; log = "Ponder from now on"; return true;
    case CommandId::kEasy: s.ponderEnabled = false; log = "Ponder is off from now on"; return true;
    case CommandId::kPonderMove:
      s.ponderEnabled = true;
      log = Format("Engine: ponder from:%d to:%d promote: %d", r.moveFrom, r.moveTo, r.movePromotion);
      return true;
    case CommandId::kPost: s.postEnabled = true; log = "Thinking out loud from now on"; return true;
    case CommandId::kNopost: s.postEnabled = false; log = "Thinking quietly from now on"; return true;
    case CommandId::kName: s.opponentName = r.nameText; log = "Engine: name " + r.nameText + " \n"; return true;
    case CommandId::kRating:
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
    case CommandId::kNew: InitEngine(); log = "Init engine and board"; return true;
    case CommandId::kWhite:
      SetSideToMove(Colour::kWhite);
      log = "White set to move - Engine playing black";
      return true;
    case CommandId::kBlack:
      SetSideToMove(Colour::kBlack);
      log = "BLACK set to move - Engine playing white";
      return true;
    case CommandId::kGo:
      s.engineActive = true;
      s.engineColour = position.SideToMove;
      log = "Go morvi, go!";
      return true;
    case CommandId::kMoveNow: s.engineActive = true; log = "Move now!"; return true;
    case CommandId::kDraw: log = AnswerDrawOffer(thinker.pvTable[0][0].score); return true;
    case CommandId::kResult:
      s.engineActive = false;
      log = Format("Engine: Result %d %s ", r.resultCode, r.resultText.c_str());
      return true;
    case CommandId::kUndo: TakeBackMove(); log = "An UNDO processed"; return true;
    case CommandId::kRemove:
      if (TakeBackMove()) TakeBackMove();
      log = "A REMOVE processed";
      return true;
    case CommandId::kAnalyze:
      s.engineActive = false;
      s.analysisMode = true;
      s.postEnabled = true;
      log = "Analysis mode entered";
      return true;
    case CommandId::kExit: s.analysisMode = false; log = "Analysis mode exited"; return true;
    default: return false;
  }
}

// The commands that only tell something.
bool ReportCommand(const CommandRecord& r, std::string& log) {
  switch (r.id) {
    case CommandId::kDisplay: AnnounceBoard(position.BoardDiagram()); log = "Print the board"; return true;
    case CommandId::kXboard: return true;  // the input thread has answered it
    case CommandId::kHint: log = AnnounceHint(HintMove()); return true;
    case CommandId::kBook: log = AnnounceBookAnswer(); return true;
    case CommandId::kStatus: ReportStatus(); return true;
    default: return false;
  }
}

}  // namespace

std::string AnswerDrawOffer(int engineScore) {
  if (engineScore >= kDrawScore) return {};
  engineState.engineActive = false;
  return AnnounceDrawOffer();
}

std::string ExecuteXboardCommand(const CommandRecord& r) {
  std::string logText;
  if (r.id == CommandId::kUserMove) {
    EnterUserMove(r, logText);
  } else if (r.id == CommandId::kEdit) {
    logText = EnterEditMode();
  } else if (r.id >= CommandId::kEditColour && r.id <= CommandId::kEditEp) {
    logText = EditCommand(r);
  } else if (!SettingCommand(r, logText) && !PlayCommand(r, logText) && !ReportCommand(r, logText) &&
             !Protocol2Command(r, logText)) {
    logText = Format("Engine: Not handled command: %d", static_cast<int>(r.id));
  }
  return logText;
}

}  // namespace morvi
