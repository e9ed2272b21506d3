// morvi-bench search: one search as the engine makes it for its own move, with
// the thinking lines of post mode and a closing summary line.
// morvi-bench bench: the fixed-depth bench and its node signature.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_commands.h"
#include "bench_table.h"
#include "board/fen.h"
#include "board/position.h"
#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "base/console.h"
#include "base/clock.h"
#include "search/bench_suite.h"
#include "search/full_search.h"
#include "search/search_threads.h"
#include "search/think.h"
#include "search/thinker.h"

namespace morvi::bench {
namespace {

constexpr const char* kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr int kDefaultBudget = 1000;  // centiseconds

std::string MoveOrNone(Move move) { return !IsMove(move) ? "none" : MoveText(move); }

bool ReadNumber(const char* text, int& value) {
  char* end = nullptr;
  long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || n < 0 || n > 2000000000) return false;
  value = static_cast<int>(n);
  return true;
}

int SearchUsage() {
  std::fprintf(stderr, "usage: morvi-bench search [--depth N] [--time CENTISECONDS] [--hash MB] [--full] [FEN]\n");
  return 1;
}

}  // namespace

int Search(int argc, char** argv) {
  int depth = 0;  // 0: the search's deepest
  int budget = kDefaultBudget;
  int hash = 0;
  SearchKind kind = SearchKind::kClassic;
  std::string fen;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hash") == 0 && i + 1 < argc) {
      if (!ReadHashMegabytes(argv[++i], hash)) return SearchUsage();
    } else if (std::strcmp(argv[i], "--full") == 0) {
      kind = SearchKind::kFull;
    } else if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc) {
      if (!ReadNumber(argv[++i], depth) || depth < 1 || depth > kFullDepthLimit) return SearchUsage();
    } else if (std::strcmp(argv[i], "--time") == 0 && i + 1 < argc) {
      if (!ReadNumber(argv[++i], budget)) return SearchUsage();
    } else {
      if (!fen.empty()) fen += ' ';
      fen += argv[i];
    }
  }
  if (fen.empty()) fen = kStartFen;
  if (depth == 0) depth = DeepestIteration(kind);
  if (depth > DeepestIteration(kind)) return SearchUsage();

  Position& pos = position;
  pos.NewGame();
  if (!LoadFen(pos, fen)) {
    std::fprintf(stderr, "morvi-bench search: bad FEN: %s\n", fen.c_str());
    return 1;
  }
  engineState.postEnabled = true;
  thinker.kind = kind;
  PrepareBenchSearch();
  thinker.host = &engineHost;  // the lines as the engine shows them

  if (!UseTable(hash)) return 1;
  SearchResult result;
  TimeMs start = ClockMs();
  Think(result, budget, depth);
  TimeMs elapsed = ClockMs() - start;
  std::fflush(stdout);
  PrintTableUse(transpositionTable.counters);
  std::fflush(stdout);
  char line[160];
  std::snprintf(line, sizeof line, "bestmove %s score %d depth %d nodes %lld ms %lld\n",
                MoveOrNone(result.move).c_str(), result.score, thinker.nominalDepth,
                static_cast<long long>(searchCounters.nodes),
                static_cast<long long>(elapsed));
  ConsoleWrite(line);
  return 0;
}

// "bench --full": the full search, every position to this depth with a table
// of kFullBenchHash megabytes (unless --hash says otherwise), cleared for each.
constexpr int kFullBenchDepth = 12;
constexpr int kFullBenchHash = 16;

int Bench(int argc, char** argv) {
  int reduction = 0;  // "bench --lower N": every depth N plies less
  int hash = -1;      // "bench --hash MB": with a transposition table, cleared for each position
  bool full = false;
  int threads = 1;    // "bench --full --threads N": the full search on N threads
  for (int i = 0; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (hasValue && std::strcmp(argv[i], "--lower") == 0 && ReadNumber(argv[i + 1], reduction)) {
      ++i;
    } else if (hasValue && std::strcmp(argv[i], "--threads") == 0 && ReadNumber(argv[i + 1], threads) && threads >= 1 &&
               threads <= kMaxThreads) {
      ++i;
    } else if (hasValue && std::strcmp(argv[i], "--hash") == 0 && ReadHashMegabytes(argv[i + 1], hash)) {
      ++i;
    } else if (std::strcmp(argv[i], "--full") == 0) {
      full = true;
    } else {
      std::fprintf(stderr, "usage: morvi-bench bench [--lower N] [--hash MB] [--full [--threads N]]\n");
      return 1;
    }
  }
  if (hash < 0) hash = full ? kFullBenchHash : 0;
  if (!UseTable(hash)) return 1;
  thinker.kind = full ? SearchKind::kFull : SearchKind::kClassic;
  searchThreads.SetCount(full ? threads : 1);
  TableCounters total;
  long long nodes = 0;
  long long milliseconds = 0;
  int index = 0;
  for (const BenchPosition& entry : BenchPositions()) {
    transpositionTable.Clear();
    BenchOutcome outcome;
    const int depth = (full ? kFullBenchDepth : entry.depth) - reduction;
    if (!RunBenchPosition(entry, depth, outcome)) {
      std::fprintf(stderr, "morvi-bench bench: bad FEN: %s\n", entry.fen);
      return 1;
    }
    ++index;
    std::printf("position %2d depth %2d nodes %10lld ms %6d bestmove %s score %d\n", index, depth, outcome.nodes, outcome.milliseconds,
                MoveOrNone(outcome.bestMove).c_str(), outcome.score);
    std::fflush(stdout);
    nodes += outcome.nodes;
    milliseconds += outcome.milliseconds;
    AddTableUse(total);
  }
  PrintTableUse(total);
  long long nps = milliseconds > 0 ? nodes * 1000 / milliseconds : 0;
  std::printf("bench %lld nodes %lld ms %lld nps\n", nodes, milliseconds, nps);
  return 0;
}

}  // namespace morvi::bench
