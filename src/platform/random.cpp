#include "platform/random.h"

namespace platform {
namespace {
unsigned long gState = 1;
}

void SRand(unsigned seed) { gState = seed; }

int Rand() {
    gState = (gState * 214013UL + 2531011UL) & 0xFFFFFFFFUL;
    return static_cast<int>((gState >> 16) & 0x7FFF);
}

}  // namespace platform
