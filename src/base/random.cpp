// Linear congruential generator returning the top 15 bits of its state, one
// state per thread (evaluation noise and book line choice on the engine
// thread; a search thread evaluates with its own).
#include "base/random.h"

#include <cstdint>

namespace morvi {
namespace {
thread_local std::uint32_t randomState = 1;
}

void SeedRandom(unsigned seed) { randomState = seed; }

int Random15() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7fffu);
}

}  // namespace morvi
