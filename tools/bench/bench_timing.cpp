// morvi-bench timing: how far a search can overrun its time limit here. Every
// bench position is searched as the engine searches its own move, with the
// poll interval the engine uses, at several small limits; the tool reports
// the worst time beyond 1.1 times the limit and the longest gap between two
// looks at the clock (the poll interval in milliseconds).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_commands.h"
#include "board/fen.h"
#include "board/position.h"
#include "engine/engine_state.h"
#include "engine/engine_host.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "base/clock.h"
#include "search/bench_suite.h"
#include "search/think.h"
#include "search/thinker.h"

namespace morvi::bench {
namespace {

// The clock the search reads, noting the longest gap between two readings.
struct GapClock {
  static inline TimeMs last = 0;
  static inline TimeMs longest = 0;
  static TimeMs Read() {
    const TimeMs now = ClockMs();
    longest = std::max(longest, now - last);
    last = now;
    return now;
  }
};

struct Worst {
  int overrunMs = -1000000;  // elapsed - 11 * limit
  int gapMs = 0;
  const char* fen = "";
};

// One search of the position within the limit; returns the elapsed ms.
int TimedSearch(const char* fen, int limit) {
  Position& pos = position;
  pos.NewGame();
  if (!LoadFen(pos, fen)) return -1;
  engineState.postEnabled = false;
  engineState.pondering = engineState.ponderHit = engineState.searchAborted = false;
  thinker.host = &engineHost;  // an empty queue polled as the engine polls it
  PrepareBenchSearch();
  thinker.heartbeatMask = kPollMaskCap;
  thinker.clock = GapClock::Read;
  GapClock::last = ClockMs();
  GapClock::longest = 0;
  SearchResult result;
  const TimeMs start = ClockMs();
  Think(result, limit);
  const int elapsed = static_cast<int>(ClockMs() - start);
  thinker.clock = ClockMs;
  return elapsed;
}

}  // namespace

int Timing(int argc, char** argv) {
  int rounds = 1;
  if (argc == 2 && std::strcmp(argv[0], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[1]));
  const int limits[] = {0, 1, 2, 5, 10, 20, 50};
  Worst overall;
  for (int limit : limits) {
    Worst worst;
    for (int round = 0; round < rounds; ++round) {
      for (const BenchPosition& entry : BenchPositions()) {
        const int elapsed = TimedSearch(entry.fen, limit);
        const int overrun = elapsed - 11 * limit;
        if (overrun > worst.overrunMs) {
          worst.overrunMs = overrun;
          worst.fen = entry.fen;
        }
        worst.gapMs = std::max(worst.gapMs, static_cast<int>(GapClock::longest));
      }
    }
    std::printf("limit %2d cs: worst time beyond 1.1 x limit %3d ms, longest gap between clock reads %3d ms (%s)\n",
                limit, worst.overrunMs, worst.gapMs, worst.fen);
    std::fflush(stdout);
    overall.overrunMs = std::max(overall.overrunMs, worst.overrunMs);
    overall.gapMs = std::max(overall.gapMs, worst.gapMs);
  }
  std::printf("timing: worst overrun %d ms, longest poll gap %d ms\n", overall.overrunMs, overall.gapMs);
  return 0;
}

}  // namespace morvi::bench
