// morvi-bench eval: not built yet.
#include <cstdio>

#include "bench_commands.h"

namespace morvi::bench {

int Eval(int, char**) {
  std::fprintf(stderr, "not available yet\n");
  return 1;
}

}  // namespace morvi::bench
