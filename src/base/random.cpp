// Linear congruential generator returning the top 15 bits of its state.
// Used by the engine thread only (evaluation noise and book line choice).
#include "base/random.h"

#include <cstdint>

namespace morvi {
namespace {
std::uint32_t randomState = 1;
}

void SeedRandom(unsigned seed) { randomState = seed; }

int Random15() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7fffu);
}

}  // namespace morvi
