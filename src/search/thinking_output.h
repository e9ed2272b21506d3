// The root line as the search reports it: the change test that decides when
// a line is worth reporting (kept in the Thinker's printed line), the hand-
// over to the caller, and the engine's own text of a line (depth, score in
// hundredths of a pawn, centiseconds, nodes and the moves), which the debug
// log keeps whatever the dialect shows.
#pragma once

#include <cstddef>
#include <string_view>

#include "board/move.h"
#include "search/thinker.h"

namespace morvi {

struct Thinker;

// Room for the longest line: the four numbers, a predicted move and 128 moves.
constexpr std::size_t kThinkingLineSize = 1024;

// How the line's score is written: hundredths of a pawn always, or a mate
// in xboard's form (100000 + N for a mate in N moves, -100000 - N for being
// mated in N), which xboard shows as "#N".
enum class ScoreForm { kHundredths, kXboardMates };

// Writes the line of the running search (without its line end) into out,
// led by `predicted` when it is a move (the reply a ponder search assumes).
// Returns the text's length.
std::size_t FormatThinkingLine(const Thinker& t, Move predicted, char (&out)[kThinkingLineSize],
                               ScoreForm form = ScoreForm::kHundredths);

// The same for any line (one of several a search shows, say) under the
// given depth; the line's first entry gives the score.
std::size_t FormatLine(const Thinker& t, int depth, const PvEntry* line, int length, Move predicted,
                       char (&out)[kThinkingLineSize], ScoreForm form = ScoreForm::kHundredths);

// The line's record in the debug log: "Think: <text>", the text trimmed.
void LogThinkingLine(std::string_view text);

// Reports the line to the caller when force is set or the root line changed
// since the last report, and only when the root row holds a move; the
// reported entries are kept as the printed line.
void PrintThinking(bool force);

}  // namespace morvi
