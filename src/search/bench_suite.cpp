// The bench's position list and the runner of one bench search.
#include "search/bench_suite.h"

#include "board/fen.h"
#include "board/position.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "search/full_search.h"
#include "search/think.h"
#include "search/thinker.h"
#include "search/search_threads.h"

namespace morvi {
namespace {

// More centiseconds than any bench search lasts: neither the forecast nor the
// heartbeat's time check can end an iteration.
constexpr int kBenchBudget = 1000000000;

constexpr BenchPosition kPositions[] = {
    // Openings.
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 7},
    {"r1bqkbnr/1ppp1ppp/p1n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 4", 7},
    {"rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6", 7},
    {"rnbqk2r/ppp1bppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR w KQkq - 4 5", 7},
    {"rnbq1rk1/ppp1ppbp/3p1np1/8/2PPP3/2N2N2/PP3PPP/R1BQKB1R w KQ - 1 6", 6},
    {"rnbqk1nr/ppp2ppp/4p3/3p4/1b1PP3/2N5/PPP2PPP/R1BQKBNR w KQkq - 2 4", 7},
    {"r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/2PP1N2/PP3PPP/RNBQK2R b KQkq - 0 5", 6},
    // Middle games.
    {"r2q1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/R2Q1RK1 w - - 0 10", 7},
    {"r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ - 3 9", 7},
    {"2kr3r/pppq1ppp/2n1bn2/2b1p3/4P3/2NPBN2/PPPQ1PPP/R3K2R w KQ - 4 9", 7},
    {"r3k2r/pppq1ppp/2npbn2/2b1p3/2B1P3/2NPBN2/PPPQ1PPP/R3K2R w KQkq - 6 9", 7},
    {"2r3k1/1q3ppp/p3p3/1p1nP3/3P4/P2Q1N2/1P3PPP/2R3K1 w - - 0 25", 7},
    // Tactics.
    {"r3k2r/ppp2ppp/2n1bn2/2bqp3/8/2NP1N2/PPP1BPPP/R1BQ1RK1 w kq - 0 9", 7},
    {"r3k3/8/8/1N6/8/8/8/4K3 w q - 0 1", 7},
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 7},
    {"8/1P6/8/8/8/8/5k2/K7 w - - 0 1", 7},
    // Endings.
    {"8/8/8/4k3/8/8/4P3/4K3 w - - 0 1", 7},
    {"8/5pk1/6p1/8/R7/6P1/r4PK1/8 w - - 0 1", 7},
    {"8/8/3k4/8/2q5/8/4R3/4K3 w - - 0 1", 7},
    {"8/3k4/2p1b3/1pP5/1P1N4/5K2/8/8 w - - 0 1", 7},
    {"8/8/1p3k2/p1p5/P1P2K2/1P6/8/8 w - - 0 1", 7},
    {"8/5k2/8/3P4/2r5/8/5PK1/3R4 w - - 0 1", 7},
};

}  // namespace

std::span<const BenchPosition> BenchPositions() { return kPositions; }

bool RunBenchPosition(const BenchPosition& entry, int depth, BenchOutcome& outcome) {
  position.NewGame();  // the constant tables and an empty archive
  if (!LoadFen(position, entry.fen)) return false;
  outcome = SearchSetPosition(kBenchBudget, depth);
  return true;
}

void PrepareBenchSearch() {
  Position& pos = position;
  evalSettings.randomTerm = false;
  ResetSearchCounters();
  evalStats = EvalStats{};
  RefreshBeforeSearch(pos);
  // The first window is centred on the static value at this position's own
  // stage, never on anything an earlier position left behind.
  pos.GameStage = DecideGameStage(pos);
  ResetThinker();
  ClearFullSearchMemory();
}

BenchOutcome SearchSetPosition(int budget, int depth) {
  thinker.clock = ClockMs;
  PrepareBenchSearch();

  // No caller to poll and no lines: nothing but the search itself is timed.
  SearchHost* const host = thinker.host;
  thinker.host = nullptr;
  SearchResult result;
  const TimeMs start = ClockMs();
  Think(result, budget, depth < 1 ? 1 : depth);
  thinker.host = host;
  BenchOutcome outcome;
  outcome.milliseconds = static_cast<int>(ClockMs() - start);
  outcome.bestMove = result.move;
  outcome.score = result.score;
  outcome.nodes = SearchedNodes();  // every thread's
  return outcome;
}

}  // namespace morvi
