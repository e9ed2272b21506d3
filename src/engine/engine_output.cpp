// The protocol lines of the engine controller, written through the console
// channel and mirrored into the debug log under "Engine".
#include "engine/engine_output.h"

#include <string>

#include "board/position.h"
#include "frontend/console.h"
#include "frontend/debug_log.h"

namespace morvi {

void LogText(std::string_view category, std::string_view text) {
  const bool ownLineEnd = !text.empty() && text.back() == '\n';
  LogLine(category, text, ownLineEnd ? "" : "\n");
}

void AnnounceMove(int moveNumber, Move move) {
  std::string line = std::to_string(moveNumber) + ". ... " + GameMoveText(move) + "\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

void AnnounceResult(std::string_view line) {
  ConsoleWrite(std::string(line));
  LogText("Engine", line);
}

std::string AnnounceHint(Move move) {
  if (MoveFromByte(move) == 255) return {};
  std::string line = "Hint: " + GameMoveText(move) + "\n";
  ConsoleWrite(line);
  return line;
}

void AnnounceUnplayable() {
  const std::string line = "Error (Illegal position - the engine cannot play it)\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

}  // namespace morvi
