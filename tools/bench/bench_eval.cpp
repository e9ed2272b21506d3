// morvi-bench eval: the static evaluation of one position as the engine sees
// it before a search (one refresh at each level, then the game-stage rule),
// printed as "eval STAGE COMPLETE MEDIUM FAST" with the random term off; and,
// with --speed, the evaluations per second at each level.
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_commands.h"
#include "board/fen.h"
#include "board/position.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "base/clock.h"

namespace morvi::bench {

namespace {

constexpr const char* kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Positions for the speed run when none is given: openings, middle games,
// endings.
constexpr const char* kSpeedFens[] = {
    kStartFen,
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8",
    "r4rk1/1b2qppp/p3pn2/1p6/3P4/P1NB1N2/1P3PPP/R2Q1RK1 w - - 0 16",
    "2r2rk1/pp1b1pp1/4p2p/q2pP3/3n4/P1PB4/2Q2PPP/R1B2RK1 w - - 0 19",
    "2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30",
    "8/8/2p5/1pP5/1P6/4k3/8/4K3 b - - 0 50",
    "1r4k1/5ppp/8/8/8/8/1R3PPP/6K1 w - - 0 30",
};

bool Load(const char* fen) {
  if (LoadFen(position, fen)) return true;
  std::fprintf(stderr, "bad FEN: %s\n", fen);
  return false;
}

// What the engine does before a search: a refresh at each level, then the
// game-stage rule.
void PrepareAsBeforeSearch() {
  RefreshBeforeSearch(position);
  position.GameStage = DecideGameStage(position);
}

int EvalLine(const char* fen) {
  if (!Load(fen)) return 1;
  evalSettings.randomTerm = false;
  PrepareAsBeforeSearch();
  const int complete = Evaluate(position, EvalLevel::kComplete);
  const int medium = Evaluate(position, EvalLevel::kMedium);
  const int fast = Evaluate(position, EvalLevel::kFast);
  std::printf("eval %d %d %d %d\n", position.GameStage, complete, medium, fast);
  return 0;
}

int Speed(const char* const* fens, int count) {
  constexpr int kRounds = 200000;
  constexpr const char* kNames[3] = {"complete", "medium", "fast"};
  evalSettings.randomTerm = false;
  long long millis[3] = {0, 0, 0};
  long long evaluations = 0;
  unsigned sink = 0;  // wraps freely
  for (int i = 0; i < count; ++i) {
    if (!Load(fens[i])) return 1;
    PrepareAsBeforeSearch();
    for (int level = 0; level < 3; ++level) {
      const long long start = ClockMs();
      for (int n = 0; n < kRounds; ++n) sink += static_cast<unsigned>(Evaluate(position, kEvalLevels[level]));
      millis[level] += ClockMs() - start;
    }
    evaluations += kRounds;
  }
  for (int level = 0; level < 3; ++level) {
    const long long ms = millis[level] > 0 ? millis[level] : 1;
    std::printf("speed %s %lld evaluations %lld ms %lld per second\n", kNames[level], evaluations,
                millis[level], evaluations * 1000 / ms);
  }
  return sink == 0x7fffffffu ? 2 : 0;  // keeps the loop from being optimised away
}

// The FEN may come as one quoted argument or as its six words.
std::string JoinArguments(int argc, char** argv) {
  std::string text;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) text += ' ';
    text += argv[i];
  }
  return text;
}

}  // namespace

int Eval(int argc, char** argv) {
  if (argc >= 1 && std::strcmp(argv[0], "--speed") == 0) {
    if (argc >= 2) {
      const std::string fen = JoinArguments(argc - 1, argv + 1);
      const char* one[] = {fen.c_str()};
      return Speed(one, 1);
    }
    return Speed(kSpeedFens, static_cast<int>(sizeof kSpeedFens / sizeof kSpeedFens[0]));
  }
  if (argc == 0) return EvalLine(kStartFen);
  return EvalLine(JoinArguments(argc, argv).c_str());
}

}  // namespace morvi::bench
