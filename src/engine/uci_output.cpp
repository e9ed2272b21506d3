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
#include "search/transposition.h"
#include "search/thinking_output.h"
#include "search/search_threads.h"

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
int PlayablePvLength(const PvEntry* moves, int count) {
  Move line[kMaxPly];
  const int length = std::min(count, kMaxPly);
  for (int j = 0; j < length; ++j) line[j] = moves[j].move;
  return PlayableLineLength(uciSession.root, line, length);
}

// "info depth ..." for the running search with the given depth, score and
// moves; "multipv K" when the search shows several lines (0: it does not),
// "hashfull" when it has a table.
std::string UciInfoLine(const Thinker& t, int depth, int multipv, int score, const PvEntry* moves, int count) {
  const long long nodes = SearchedNodes();
  const long long ms = std::max<TimeMs>(t.clock() - t.startClock, 0);
  char head[200];
  int n = std::snprintf(head, sizeof head, "info depth %d seldepth %d ", depth, t.maxPly);
  if (multipv > 0) n += std::snprintf(head + n, sizeof head - n, "multipv %d ", multipv);
  n += std::snprintf(head + n, sizeof head - n, "score %s nodes %lld nps %lld ", UciScore(score).c_str(), nodes,
                     ms > 0 ? nodes * 1000 / ms : 0);
  if (transpositionTable.Enabled()) {
    n += std::snprintf(head + n, sizeof head - n, "hashfull %d ", transpositionTable.FillPermille());
  }
  std::snprintf(head + n, sizeof head - n, "time %lld", ms);
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
  if (t.multiPv > 1 && t.lineCount > 0) {
    std::string lines;
    for (int k = 0; k < std::min(t.lineCount, t.multiPv); ++k) {
      const SearchLine& l = t.lines[k];
      lines += UciInfoLine(t, l.depth, k + 1, l.score, l.moves, PlayablePvLength(l.moves, l.length));
    }
    ConsoleWrite(lines);
  } else {
    ConsoleWrite(UciInfoLine(t, t.rootLineDepth, 0, t.pvTable[0][0].score, t.pvTable[0],
                             PlayablePvLength(t.pvTable[0], t.pvLength[0])));
  }
  LogThinkingLine(ownLine);
}

void AnnounceSearchedMove(Move move, int score) {
  const PvEntry line[] = {{move, score}};
  ConsoleWrite(UciInfoLine(thinker, thinker.rootLineDepth, 0, score, line, 1));
}

void AnnounceCurrentMove(Move move, int number) {
  ConsoleWrite("info currmove " + GameMoveText(move, true) + " currmovenumber " + std::to_string(number) + "\n");
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
