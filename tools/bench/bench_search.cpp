// morvi-bench search: not built yet.
#include <cstdio>

#include "bench_commands.h"

namespace morvi::bench {

int Search(int, char**) {
  std::fprintf(stderr, "not available yet\n");
  return 1;
}

int Bench(int, char**) {
  std::fprintf(stderr, "not available yet\n");
  return 1;
}

}  // namespace morvi::bench
