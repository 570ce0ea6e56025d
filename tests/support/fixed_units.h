#pragma once
// Fixed-point values for tests, written as plain numbers: Fx(1.5) is 1.5 in 16.16.
#include "base/fixed.h"

namespace support {

constexpr Fixed16 Fx(double v) { return static_cast<Fixed16>(v * 65536.0); }

}  // namespace support
