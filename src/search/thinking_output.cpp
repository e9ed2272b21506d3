// The change test, the report and the engine's own line text. The text is
// built in a fixed buffer; a string is made only for the log.
#include "search/thinking_output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "board/notation.h"
#include "base/debug_log.h"
#include "search/thinker.h"
#include "search/search_threads.h"

namespace morvi {
namespace {

// "%c%d%c%d " of a move, squares read as signed bytes.
std::size_t AppendMove(char* out, std::size_t room, Move move) {
  if (room <= 1) return 0;
  std::size_t n = SignedMoveTextTo(move, out, room);
  if (n + 1 < room) {
    out[n++] = ' ';
    out[n] = '\0';
  }
  return n;
}

// Step 2 of the change test: a new length counts as a change (and is taken
// over at once), otherwise the printed moves are compared.
bool RootLineChanged(Thinker& t) {
  int length = t.pvLength[0];
  if (t.printedPvLength != length && length != 0) {
    t.printedPvLength = length;
    return true;
  }
  for (int j = 0; j < t.printedPvLength; ++j) {
    if (t.printedPv[j].move != t.pvTable[0][j].move) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlank = " \t\r\n\f\v";
  std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(kBlank);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::size_t FormatThinkingLine(const Thinker& t, Move predicted, char (&out)[kThinkingLineSize], ScoreForm form) {
  return FormatLine(t, t.nominalDepth, t.pvTable[0], t.pvLength[0], predicted, out, form);
}

std::size_t FormatLine(const Thinker& t, int depth, const PvEntry* line, int length, Move predicted,
                       char (&out)[kThinkingLineSize], ScoreForm form) {
  const long long nodes = SearchedNodes();
  int moves = 0;
  int n = 0;
  if (form == ScoreForm::kXboardMates && MateMoves(line[0].score, moves)) {
    n = std::snprintf(out, kThinkingLineSize, " %d %d %d %lld ", depth, moves > 0 ? 100000 + moves : -100000 + moves,
                      ElapsedCentiseconds(t), nodes);
  } else {
    n = std::snprintf(out, kThinkingLineSize, " %d %3.0f %d %lld ", depth, line[0].score * 0.09765625,
                      ElapsedCentiseconds(t), nodes);
  }
  std::size_t written = n < 0 ? 0 : static_cast<std::size_t>(n);
  if (IsMove(predicted)) written += AppendMove(out + written, kThinkingLineSize - written, predicted);
  for (int j = 0; j < length; ++j) written += AppendMove(out + written, kThinkingLineSize - written, line[j].move);
  return written;
}

void LogThinkingLine(std::string_view text) {
  std::string logText = "<";
  logText += Trimmed(text);
  logText += '>';
  LogLine("Think", logText);
}

void PrintThinking(bool force) {
  Thinker& t = thinker;
  bool changed = RootLineChanged(t) || force;
  Move rootMove = t.pvTable[0][0].move;
  if (!changed || !IsMove(rootMove) || t.pvLength[0] == 0) return;
  std::copy(t.pvTable[0], t.pvTable[0] + t.pvLength[0], t.printedPv);
  if (t.host != nullptr) t.host->ReportLine(t);
}

}  // namespace morvi
