// The monotonic millisecond clock. Tests switch it to a fake clock that only moves when told.
#pragma once
#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; never goes back.
uint32_t Milliseconds();

// Seconds since the epoch, for seeding the random generator.
long WallSeconds();

// With the fake clock on, Milliseconds() and WallSeconds() return the fake time.
void UseFakeClock(bool on, uint32_t startMs = 0);
void AdvanceFakeClock(uint32_t ms);

}  // namespace platform
