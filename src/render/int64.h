#pragma once
// Signed 64-bit integer seen as two 32-bit words (low unsigned, high signed),
// for products of two Fixed16 values that are shifted or divided afterwards.
#include <cstdint>

class Int64 {
public:
    Int64& Clear();
    Int64& operator+=(const Int64& other);
    Int64& operator-=(const Int64& other);
    Int64& operator>>=(int n);
    int operator>(const Int64& other) const;

    uint32_t Low() const;
    int32_t High() const;
    int64_t Value() const { return value_; }

    // out = a * b, the full signed 64-bit product.
    static void Multiply(Int64& out, int32_t a, int32_t b);
    // out = a + b and out = a - b, carrying between the words (wrapping at 64 bits).
    static void Add(Int64& out, const Int64& a, const Int64& b);
    static void Subtract(Int64& out, const Int64& a, const Int64& b);
    // Arithmetic shift right in place; the count is taken modulo 32.
    static void ShiftRight(Int64& value, int n);

private:
    int64_t value_ = 0;
};

// value / d truncated toward zero. A quotient beyond 32 bits saturates; d = 0 gives 0.
int32_t Int64Divide(const Int64& value, int32_t d);

// (a * b) / c through the 64-bit product, truncated toward zero. A quotient beyond
// 32 bits saturates; c = 0 gives 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
