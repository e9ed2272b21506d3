// morvi-bench: the regression and speed tools (perft, evaluation, search,
// fixed-depth bench). Not part of the engine's protocol.
#include <cstdio>
#include <cstring>

#include "bench_commands.h"

namespace {

struct Subcommand {
  const char* name;
  int (*run)(int, char**);
  const char* usage;
};

constexpr Subcommand kSubcommands[] = {
    {"perft", morvi::bench::Perft, "perft DEPTH [FEN]"},
    {"divide", morvi::bench::Divide, "divide DEPTH [FEN]"},
    {"eval", morvi::bench::Eval, "eval [FEN]"},
    {"search", morvi::bench::Search, "search [--depth N] [--time CENTISECONDS] [--hash MB] [FEN]"},
    {"bench", morvi::bench::Bench, "bench [--lower N] [--hash MB] [--full [--threads N]]"},
    {"timing", morvi::bench::Timing, "timing [--rounds N]"},
    {"epd", morvi::bench::Epd, "epd FILE [--time CENTISECONDS | --depth N] [--hash MB]"},
};

int Usage() {
  std::fprintf(stderr, "usage: morvi-bench COMMAND ...\n");
  for (const Subcommand& sub : kSubcommands) std::fprintf(stderr, "  morvi-bench %s\n", sub.usage);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const Subcommand& sub : kSubcommands) {
    if (std::strcmp(argv[1], sub.name) == 0) return sub.run(argc - 2, argv + 2);
  }
  return Usage();
}
