// morvi-bench perft: not built yet.
#include <cstdio>

#include "bench_commands.h"

namespace morvi::bench {

int Perft(int, char**) {
  std::fprintf(stderr, "not available yet\n");
  return 1;
}

int Divide(int, char**) {
  std::fprintf(stderr, "not available yet\n");
  return 1;
}

}  // namespace morvi::bench
