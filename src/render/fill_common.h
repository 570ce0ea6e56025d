#pragma once
// Arithmetic and pixel helpers shared by the span fillers.
//
// The fillers work in signed 32-bit values that wrap, with 64-bit products where a
// product must not overflow before it is shifted or divided. Every division goes
// through a checked helper: a zero divisor or a quotient beyond 32 bits makes the
// filler skip that column or row instead of faulting.
#include <cstdint>
#include <limits>
#include <optional>

#include "render/render_state.h"

namespace fill {

// The low 32 bits of a value, as a signed number.
inline int32_t Cut(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// Wrapping 32-bit sum, difference and product.
inline int32_t Add(int32_t a, int32_t b) { return Cut(int64_t{a} + b); }
inline int32_t Sub(int32_t a, int32_t b) { return Cut(int64_t{a} - b); }
inline int32_t Mul(int32_t a, int32_t b) { return Cut(int64_t{a} * b); }
// a << n within 32 bits (bits shifted out are lost, as in a register).
inline int32_t Shl(int32_t a, int n) {
    return Cut(static_cast<int64_t>(static_cast<uint64_t>(static_cast<uint32_t>(a)) << n));
}

// (a * b) >> n, the full product shifted arithmetically, low 32 bits kept.
inline int32_t MulShift(int32_t a, int32_t b, int n) { return Cut((int64_t{a} * b) >> n); }

// value / d, truncated toward zero, when d is not 0 and the quotient fits in 32 bits.
inline std::optional<int32_t> Div(int64_t value, int64_t d) {
    if (d == 0 || (d == -1 && value == std::numeric_limits<int64_t>::min())) {
        return std::nullopt;
    }
    const int64_t q = value / d;
    if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(q);
}

inline int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A light level (the integer part of a 16.16 or 8.8 light) as a shade-table row.
inline int ShadeRow(int level) { return Clamp(level, 0, ShadeLevels - 1); }

inline const uint8_t* ShadeRowOf(int level) { return ShadeTable + (ShadeRow(level) << 8); }

// The same row of a shade table the caller holds in a local: inner loops take the table once,
// since every byte they store could, for all the compiler knows, change the global pointer.
inline const uint8_t* ShadeRowOf(const uint8_t* table, int level) {
    return table + (ShadeRow(level) << 8);
}

// 16-bit signed division of an 8.8 light difference by a pixel count, sign-extended.
inline int32_t LightStep(Fixed16 fromLight, Fixed16 toLight, int count) {
    const auto diff = static_cast<int16_t>(Sub(toLight, fromLight) >> 8);
    const auto n = static_cast<int16_t>(count);
    if (n == 0) {
        return 0;
    }
    return static_cast<int16_t>(diff / n);
}

inline int Pitch() { return ViewWidth + RowSkip; }

// log2 of a power of two.
inline int Log2(uint32_t v) {
    int k = 0;
    while ((1u << k) < v) {
        ++k;
    }
    return k;
}

inline bool IsPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

}  // namespace fill
