// The xboard lines, written through the console channel and mirrored into
// the debug log where a record is kept; the protocol's second version
// writes the engine's moves and the refusals of moves in its own forms.
#include "engine/xboard_output.h"

#include <algorithm>
#include <cstdio>

#include "base/console.h"
#include "base/debug_log.h"
#include "base/user_texts.h"
#include "board/notation.h"
#include "board/position.h"
#include "engine/command.h"
#include "engine/engine_state.h"
#include "engine/session.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi {

void AnnounceMove(int moveNumber, Move move) {
  const std::string line = Protocol2() ? "move " + GameMoveText(move, true) + "\n"
                                       : std::to_string(moveNumber) + ". ... " + GameMoveText(move) + "\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

void AnnounceResult(std::string_view line) {
  ConsoleWrite(std::string(line));
  LogText("Engine", line);
}

void AnnounceGameOver(std::string_view line) { ConsoleWrite(std::string(line)); }

std::string AnnounceHint(Move move) {
  if (!IsMove(move)) return {};
  std::string line = "Hint: " + GameMoveText(move) + "\n";
  ConsoleWrite(line);
  return line;
}

void AnnounceThinking(const Thinker& t) {
  const EngineState& s = engineState;
  const Move predicted = PonderingUnhit(s) ? t.ponderMove : kNoMove;
  char text[kThinkingLineSize];
  const ScoreForm form = Protocol2() ? ScoreForm::kXboardMates : ScoreForm::kHundredths;
  if (t.multiPv > 1 && t.lineCount > 0) {  // the lines of a search that shows several, best first
    for (int k = 0; k < std::min(t.lineCount, t.multiPv); ++k) {
      const SearchLine& l = t.lines[k];
      const std::string_view line(text, FormatLine(t, l.depth, l.moves, l.length, predicted, text, form));
      ConsoleWrite(std::string(line) + "\n");
      LogThinkingLine(line);
    }
    return;
  }
  const std::string_view line(text, FormatThinkingLine(t, predicted, text, form));
  ConsoleWrite(std::string(line) + "\n");
  LogThinkingLine(line);
}

void AnnounceUnplayable() {
  const std::string line = "Error (Illegal position - the engine cannot play it)\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

std::string AnnounceDrawOffer() {
  ConsoleWrite("offer draw\n");
  return "offer draw\n";
}

std::string AnnounceBookAnswer() {
  // One piece, so that no other output lands between the two lines.
  ConsoleWrite("\tHey buster - play on and stop asking questions\n\tthis is not training program\n\n");
  return "\tthis is not training program\n\n";
}

void AnnounceRefusal(std::string_view line) { ConsoleWrite(std::string(line)); }

void AnnounceIllegalMove(MoveRefusal why, int from, int to, int promotion) {
  if (!Protocol2()) {
    AnnounceRefusal(why == MoveRefusal::kNotFound ? "Illegal Move: Could not find it in our generated move list\n"
                                                  : "Illegal Move: Could not make it\n");
    return;
  }
  // The move as the GUI wrote it, its promotion letter included.
  const bool promotes = promotion >= kKnight && promotion <= kQueen;
  const std::string text =
      GameMoveText(MakeMoveWord(from, to, promotes ? promotion : kNoPromotion, promotes ? kPromotion : 0), true);
  const char* reason = why == MoveRefusal::kNotMade           ? " (king left in check or castling through check)"
                       : why == MoveRefusal::kRefusedPosition ? " (no legal position set up)"
                                                              : "";
  ConsoleWrite(std::string(UserText(TEXT_ILLEGAL_MOVE)) + reason + ": " + text + "\n");
}

void AnnouncePong(std::string_view number) { ConsoleWrite("pong " + std::string(number) + "\n"); }

void AnnounceIllegalPosition(std::string_view fen, bool kingExposed) {
  const std::string line = kingExposed ? "Error (Illegal position: the side not to move is in check): setboard " +
                                             std::string(fen) + "\n"
                                       : "tellusererror Illegal position: " + std::string(fen) + "\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

void AnnounceIllegalSearchMove() {
  LogLine("Engine", "Error - search ended with illegal move!");
  ConsoleWrite("Error : search ended with illegal move!\n");
}

void AnnounceStatus(std::string_view line) {
  ConsoleWrite(std::string(line));
  LogText("Stats", line);
}

void AnnounceStatistic(std::string_view line) {
  ConsoleWrite(std::string(line));
  LogText("Engine", line);
}

void AnnounceBoard(std::string_view diagram) { ConsoleWrite(std::string(diagram)); }

void AnnounceEngineStart(std::string_view version) { ConsoleWrite("\ntelluser Morvi V(" + std::string(version) + ")\n"); }

void AnnounceFarewell() {
  char line[64];
  std::snprintf(line, sizeof line, "Engine: Bye-bye %d ****************\n", static_cast<int>(CommandId::kQuit));
  ConsoleWrite(line);
}

}  // namespace morvi
