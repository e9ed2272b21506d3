// CompleteEngineMove in its seven steps. With no move to play the result is
// read from the board itself: mated when in check, else stalemate (a search
// under the fifty-move rule scores a mate 0 too).
#include "engine/engine_move.h"

#include <cstdio>
#include <string>

#include "board/position.h"
#include "engine/xboard_output.h"
#include "engine/engine_state.h"
#include "engine/session.h"
#include "engine/user_move.h"
#include "eval/evaluate.h"
#include "base/debug_log.h"
#include "search/search_threads.h"
#include "search/thinker.h"

namespace morvi {
namespace {

void ReportNoMove() {
  EngineState& s = engineState;
  if (!position.InCheck(position.SideToMove)) {
    AnnounceGameOver("1/2-1/2 {Stalemate}\n");
  } else {
    AnnounceGameOver(s.engineColour == Colour::kWhite ? "0-1 {Black mates}\n" : "1-0 {White mates}\n");
  }
  s.engineActive = false;
}

// Steps 2 to 6; false when the move was refused.
bool PlayEngineMove(const SearchResult& result) {
  EngineState& s = engineState;
  UndoRecord undo;
  if (position.MakeMove(result.move, undo) == 0) {
    AnnounceIllegalSearchMove();
    s.engineActive = false;
    return false;
  }
  AnnounceMove(s.moveNumber, result.move);
  if (position.SideToMove == Colour::kWhite) ++s.moveNumber;
  if ((result.score == 0 || Protocol2()) && IsRepetition()) {
    AnnounceResult("1/2-1/2 {Draw by repetition}\n");
    s.engineActive = false;
  }
  if (result.score == kMateInOneScore) {
    AnnounceResult(s.engineColour == Colour::kWhite ? "1-0 {White mates}\n" : "0-1 {Black mates}\n");
    s.engineActive = false;
  }
  position.ArchivePush(result.move);
  s.ponderFinished = false;
  LogLine("Engine", "Engine move applied");
  return true;
}

}  // namespace

void ReportPassStatistics(int score) {
  const SearchCounters& c = searchCounters;
  const long long nodes = SearchedNodes();
  const long long elapsedMs = thinker.clock() - engineState.passStart;
  const double s = score / 1024.0;
  const double seconds = elapsedMs * 0.001;
  char line[256];
  if (elapsedMs != 0) {
    std::snprintf(line, sizeof line, "Score: %3.2f Evals/Nodes: %lld/%lld in %lld (%5.2f seconds) %6.2f Nodes/sec\n", s,
                  static_cast<long long>(evalStats.evaluations), nodes, elapsedMs, seconds, nodes / seconds);
  } else {
    std::snprintf(line, sizeof line, "Score: %3.2f Evals/Nodes: %lld/%lld in %lld (%5.2f seconds) \n", s,
                  static_cast<long long>(evalStats.evaluations), nodes, elapsedMs, seconds);
  }
  AnnounceStatistic(line);
  std::snprintf(line, sizeof line, "Evaluations Complete/Medium/Fast: %lld/%lld/%lld/ \n",
                static_cast<long long>(evalStats.complete), static_cast<long long>(evalStats.medium),
                static_cast<long long>(evalStats.fast));
  AnnounceStatistic(line);
  // The static-pruning and hash figures have no search behind them: 0.
  std::snprintf(line, sizeof line, "QSkips/StaticSkips/NullSkips: %lld/0/%lld HashNodes/Hits: 0/0 AvgMoves/Node %4.2f\n",
                static_cast<long long>(c.QSkips), static_cast<long long>(c.NullSkips),
                static_cast<double>(c.movesSearched) / c.expandedNodes);
  AnnounceStatistic(line);
}

void CompleteEngineMove(const SearchResult& result) {
  if (!HasMove(result)) {
    ReportNoMove();
  } else {
    PlayEngineMove(result);
  }
  ReportPassStatistics(result.score);
}

}  // namespace morvi
