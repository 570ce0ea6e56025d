#include "render/int64.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

Int64 Make(int32_t a, int32_t b) {
    Int64 v;
    Int64::Multiply(v, a, b);
    return v;
}

}  // namespace

TEST(Int64, MultiplyGivesTheSignedProductInTwoWords) {
    const Int64 m = Make(-1, 1);
    EXPECT_EQ(m.Low(), 0xFFFFFFFFu);
    EXPECT_EQ(m.High(), -1);
    Int64 zero;
    zero.Clear();
    EXPECT_EQ(m > zero, 0);
    EXPECT_EQ(zero > m, 1);

    const Int64 big = Make(INT32_MIN, INT32_MIN);
    EXPECT_EQ(big.Value(), INT64_C(0x4000000000000000));
}

TEST(Int64, ComparesHighWordsSignedAndLowWordsUnsigned) {
    const Int64 a = Make(INT32_MIN, -1);  // low 0x80000000, high 0
    const Int64 b = Make(INT32_MAX, 1);   // low 0x7FFFFFFF, high 0
    EXPECT_EQ(a.High(), b.High());
    EXPECT_EQ(a > b, 1);
    EXPECT_EQ(b > a, 0);
    EXPECT_EQ(a > a, 0);
}

TEST(Int64, AddSubtractAndShiftCarryBetweenWords) {
    Int64 v = Make(1, static_cast<int32_t>(0x7FFFFFFF));
    v += Make(1, static_cast<int32_t>(0x7FFFFFFF));
    v += Make(1, 1);  // low 0xFFFFFFFF
    EXPECT_EQ(v.Low(), 0xFFFFFFFFu);
    v += Make(1, 1);  // plus 1 carries into the high word
    EXPECT_EQ(v.Low(), 0u);
    EXPECT_EQ(v.High(), 1);

    v >>= 16;
    EXPECT_EQ(v.Value(), 0x10000);

    Int64 neg = Make(-65536, 1);
    neg >>= 16;
    EXPECT_EQ(neg.Value(), -1);

    Int64 w = Make(0, 0);
    w -= Make(1, 1);  // borrow through the high word
    EXPECT_EQ(w.High(), -1);
    EXPECT_EQ(w.Low(), 0xFFFFFFFFu);

    Int64 s = Make(1, 1);
    s >>= 33;  // the count is taken modulo 32
    EXPECT_EQ(s.Value(), 0);
    Int64 t = Make(4, 1);
    t >>= 33;
    EXPECT_EQ(t.Value(), 2);
}

TEST(MulDiv, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(MulDiv(-7, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 1, -2), -3);
    EXPECT_EQ(MulDiv(65536 * 100, 65536 * 480, 65536 * 2), 65536 * 24000);
    EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(MulDiv(INT32_MAX, INT32_MIN, 1), INT32_MIN);
    EXPECT_EQ(MulDiv(INT32_MIN, 1, -1), INT32_MAX);
    EXPECT_EQ(MulDiv(5, 5, 0), 0);
    EXPECT_EQ(Int64Divide(Make(-9, 1), 4), -2);
    EXPECT_EQ(Int64Divide(Make(9, 1), 0), 0);
}
