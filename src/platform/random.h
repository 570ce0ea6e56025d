// The one random generator of the game: a 15-bit linear congruential generator, so that a
// seed gives the same sequence on every machine.
#pragma once

namespace platform {

constexpr int RAND_MAX15 = 32767;

void SRand(unsigned seed);
int Rand();  // 0 .. RAND_MAX15

}  // namespace platform
