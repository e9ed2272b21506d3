// The UCI lines, written through the console channel and mirrored into the
// debug log where a record is kept.
#include "engine/uci_output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/console.h"
#include "base/debug_log.h"
#include "board/legal_line.h"
#include "board/position.h"
#include "engine/uci_session.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi {
namespace {

// UCI's score: centipawns, or the moves to mate (negative when mated).
std::string UciScore(int score) {
  char text[32];
  int moves = 0;
  if (MateMoves(score, moves)) {
    std::snprintf(text, sizeof text, "mate %d", moves);
  } else {
    std::snprintf(text, sizeof text, "cp %lld", static_cast<long long>(score) * 100 / 1024);
  }
  return text;
}

// The line as far as it can be played from the search's root: a line can
// keep moves of an older, longer one past its true end, or run on past a
// repetition that ends the game.
int PlayablePvLength(const Thinker& t) {
  Move line[kMaxPly];
  const int length = std::min(t.pvLength[0], kMaxPly);
  for (int j = 0; j < length; ++j) line[j] = t.pvTable[0][j].move;
  return PlayableLineLength(uciSession.root, line, length);
}

// "info depth ..." for the running search with the given score and moves.
std::string UciInfoLine(const Thinker& t, int score, const PvEntry* moves, int count) {
  const long long nodes = searchCounters.nodes;
  const long long ms = std::max<TimeMs>(t.clock() - t.startClock, 0);
  char head[160];
  std::snprintf(head, sizeof head, "info depth %d seldepth %d score %s nodes %lld nps %lld time %lld",
                t.rootLineDepth, t.maxPly, UciScore(score).c_str(), nodes, ms > 0 ? nodes * 1000 / ms : nodes, ms);
  std::string line = head;
  if (count > 0) line += " pv";
  for (int j = 0; j < count; ++j) {
    line += ' ';
    line += GameMoveText(moves[j].move, true);
  }
  line += '\n';
  return line;
}

}  // namespace

void AnnounceUciThinking(const Thinker& t) {
  char text[kThinkingLineSize];
  const std::string_view ownLine(text, FormatThinkingLine(t, kNoMove, text));
  ConsoleWrite(UciInfoLine(t, t.pvTable[0][0].score, t.pvTable[0], PlayablePvLength(t)));
  LogThinkingLine(ownLine);
}

void AnnounceSearchedMove(Move move, int score) {
  const PvEntry line[] = {{move, score}};
  ConsoleWrite(UciInfoLine(thinker, score, line, 1));
}

void AnnounceBestMove(Move move, Move reply) {
  std::string line = "bestmove ";
  line += !IsMove(move) ? "0000" : GameMoveText(move, true);
  if (IsMove(move) && IsMove(reply)) line += " ponder " + GameMoveText(reply, true);
  line += "\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

void AnnounceInfo(std::string_view text) {
  const std::string line = "info string " + std::string(text) + "\n";
  ConsoleWrite(line);
  LogText("Engine", line);
}

void AnnounceBookInfo(Move move) {
  AnnounceInfo("book move");
  ConsoleWrite("info depth 0 score cp 0 nodes 0 nps 0 time 0 pv " + GameMoveText(move, true) + "\n");
}

void AnnounceReady() { ConsoleWrite("readyok\n"); }

void AnnounceUci(std::string_view text) { ConsoleWrite(std::string(text)); }

}  // namespace morvi
