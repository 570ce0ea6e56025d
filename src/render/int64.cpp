#include "render/int64.h"

#include <limits>

namespace {

int64_t WrapAdd(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}

int64_t WrapSubtract(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

int32_t SaturatingDivide(int64_t value, int64_t d) {
    if (d == 0) {
        return 0;
    }
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    if (d == -1) {
        // The only quotient that cannot be formed in 64 bits: INT64_MIN / -1.
        if (value < -hi) {
            return static_cast<int32_t>(hi);
        }
        value = -value;
        return static_cast<int32_t>(value > hi ? hi : value);
    }
    const int64_t q = value / d;
    if (q > hi) {
        return static_cast<int32_t>(hi);
    }
    if (q < lo) {
        return static_cast<int32_t>(lo);
    }
    return static_cast<int32_t>(q);
}

}  // namespace

Int64& Int64::Clear() {
    value_ = 0;
    return *this;
}

Int64& Int64::operator+=(const Int64& other) {
    Add(*this, *this, other);
    return *this;
}

Int64& Int64::operator-=(const Int64& other) {
    Subtract(*this, *this, other);
    return *this;
}

Int64& Int64::operator>>=(int n) {
    ShiftRight(*this, n);
    return *this;
}

int Int64::operator>(const Int64& other) const {
    // The high words compare signed; equal high words leave the low words, compared unsigned.
    if (High() != other.High()) {
        return High() > other.High() ? 1 : 0;
    }
    return Low() > other.Low() ? 1 : 0;
}

uint32_t Int64::Low() const { return static_cast<uint32_t>(static_cast<uint64_t>(value_)); }

int32_t Int64::High() const { return static_cast<int32_t>(value_ >> 32); }

void Int64::Multiply(Int64& out, int32_t a, int32_t b) { out.value_ = static_cast<int64_t>(a) * b; }

void Int64::Add(Int64& out, const Int64& a, const Int64& b) {
    out.value_ = WrapAdd(a.value_, b.value_);
}

void Int64::Subtract(Int64& out, const Int64& a, const Int64& b) {
    out.value_ = WrapSubtract(a.value_, b.value_);
}

void Int64::ShiftRight(Int64& value, int n) { value.value_ >>= (n & 31); }

int32_t Int64Divide(const Int64& value, int32_t d) { return SaturatingDivide(value.Value(), d); }

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    return SaturatingDivide(static_cast<int64_t>(a) * b, c);
}
