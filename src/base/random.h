// The engine's pseudo-random generator: 15-bit values 0..32767, seeded with
// calendar seconds. Every formula in the evaluation and the book is built on
// that range, so the platform's wider rand() is never used.
#pragma once

namespace morvi {

constexpr int kRandomMax = 32767;

void SeedRandom(unsigned seed);
int Random15();  // 0 .. kRandomMax

}  // namespace morvi
