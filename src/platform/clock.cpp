#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace platform {
namespace {
bool gFake = false;
uint32_t gFakeMs = 0;
}  // namespace

uint32_t Milliseconds() {
    if (gFake) return gFakeMs;
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

long WallSeconds() {
    if (gFake) return static_cast<long>(gFakeMs / 1000);
    return static_cast<long>(std::time(nullptr));
}

void UseFakeClock(bool on, uint32_t startMs) {
    gFake = on;
    gFakeMs = startMs;
}

void AdvanceFakeClock(uint32_t ms) { gFakeMs += ms; }

}  // namespace platform
