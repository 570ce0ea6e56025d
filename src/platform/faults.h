// Fault injection: tests make a named platform call fail with a chosen result, so that the
// failure roads of the game (its boxes, its shutdowns) can be reached without broken hardware.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// After `after` calls named `call` that go ahead, the next `times` fail with `result` (times < 0:
// every call until cleared). Names are the calls' own, e.g. "CreateSurface", "Lock", "BltFast",
// "SetTimer".
void InjectFault(const std::string& call, int32_t result, int times = 1, int after = 0);
void ClearFaults();

// The result a call should fail with now, or 0 when it should go ahead; counts the use.
int32_t TakeFault(const char* call);

}  // namespace platform
