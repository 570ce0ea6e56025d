#include "platform/rm_raster_rows_detail.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/rm_raster_kernel_detail.h"
#include "platform/vector_isa.h"

#if DUSK_X86_VECTORS
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Four lanes of plain C++, each operation giving what SSE2's gives bit for bit, for numbers that
// do not fit and for NaN as well: the rows drawn are the same on every architecture.
struct Portable {
    static constexpr int Lanes = 4;
    struct F {
        float v[4];
    };
    struct I {
        int32_t v[4];
    };

    template <class R, class Op>
    static R Each(Op op) {
        R r;
        for (int k = 0; k < 4; ++k) r.v[k] = op(k);
        return r;
    }
    static uint32_t Bits(float a) { return std::bit_cast<uint32_t>(a); }
    static float FromBits(uint32_t a) { return std::bit_cast<float>(a); }
    static float Lane(bool on) { return FromBits(on ? 0xFFFFFFFFu : 0u); }
    static int32_t Wrap(uint32_t a) { return static_cast<int32_t>(a); }

    static F Set(float a) { return {{a, a, a, a}}; }
    static I Set(int32_t a) { return {{a, a, a, a}}; }
    static I Iota() { return {{0, 1, 2, 3}}; }
    static F Load(const float* p) { return {{p[0], p[1], p[2], p[3]}}; }
    static I Load(const int32_t* p) { return {{p[0], p[1], p[2], p[3]}}; }
    static void Store(float* p, F a) { std::memcpy(p, a.v, sizeof a.v); }
    static void Store(int32_t* p, I a) { std::memcpy(p, a.v, sizeof a.v); }

    static F Add(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] + b.v[k]; });
    }
    static F Sub(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] - b.v[k]; });
    }
    static F Mul(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] * b.v[k]; });
    }
    static F Div(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] / b.v[k]; });
    }
    static F Min(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] < b.v[k] ? a.v[k] : b.v[k]; });
    }
    static F Max(F a, F b) {
        return Each<F>([&](int k) { return a.v[k] > b.v[k] ? a.v[k] : b.v[k]; });
    }
    static F Abs(F a) {
        return Each<F>([&](int k) { return FromBits(Bits(a.v[k]) & 0x7FFFFFFF); });
    }
    static F Lt(F a, F b) {
        return Each<F>([&](int k) { return Lane(a.v[k] < b.v[k]); });
    }
    static F Gt(F a, F b) {
        return Each<F>([&](int k) { return Lane(a.v[k] > b.v[k]); });
    }
    static F Ge(F a, F b) {
        return Each<F>([&](int k) { return Lane(a.v[k] >= b.v[k]); });
    }
    static F And(F a, F b) {
        return Each<F>([&](int k) { return FromBits(Bits(a.v[k]) & Bits(b.v[k])); });
    }
    static F Select(F m, F a, F b) {
        return Each<F>([&](int k) {
            return FromBits((Bits(m.v[k]) & Bits(a.v[k])) | (~Bits(m.v[k]) & Bits(b.v[k])));
        });
    }
    static int Mask(F m) {
        int mask = 0;
        for (int k = 0; k < 4; ++k) mask |= static_cast<int>(Bits(m.v[k]) >> 31) << k;
        return mask;
    }
    // Truncated; 0x80000000 for what does not fit in 32 bits and for NaN.
    static I ToInt(F a) {
        return Each<I>([&](int k) {
            const float x = a.v[k];
            return x >= -2147483648.0f && x < 2147483648.0f ? static_cast<int32_t>(x) : INT32_MIN;
        });
    }
    static F ToFloat(I a) {
        return Each<F>([&](int k) { return static_cast<float>(a.v[k]); });
    }
    static I AsI(F a) {
        return Each<I>([&](int k) { return std::bit_cast<int32_t>(a.v[k]); });
    }

    static I Add(I a, I b) {
        return Each<I>([&](int k) { return Wrap(uint32_t(a.v[k]) + uint32_t(b.v[k])); });
    }
    static I Sub(I a, I b) {
        return Each<I>([&](int k) { return Wrap(uint32_t(a.v[k]) - uint32_t(b.v[k])); });
    }
    static I Gt(I a, I b) {
        return Each<I>([&](int k) { return a.v[k] > b.v[k] ? -1 : 0; });
    }
    static I And(I a, I b) {
        return Each<I>([&](int k) { return a.v[k] & b.v[k]; });
    }
    static I Select(I m, I a, I b) {
        return Each<I>([&](int k) { return (m.v[k] & a.v[k]) | (~m.v[k] & b.v[k]); });
    }
    static I Shift16(I a) {
        return Each<I>([&](int k) { return a.v[k] >> 16; });
    }
    // The two 16-bit halves of each lane multiplied, signed, and the products added.
    static I Madd(I a, I b) {
        return Each<I>([&](int k) {
            const auto half = [](int32_t x, int at) { return int32_t(int16_t(uint32_t(x) >> at)); };
            const int32_t low = half(a.v[k], 0) * half(b.v[k], 0);
            const int32_t high = half(a.v[k], 16) * half(b.v[k], 16);
            return Wrap(uint32_t(low) + uint32_t(high));
        });
    }
};

#if DUSK_X86_VECTORS
// Four lanes of SSE2.
struct Sse2 {
    static constexpr int Lanes = 4;
    using F = __m128;
    using I = __m128i;

    static F Set(float v) { return _mm_set1_ps(v); }
    static I Set(int32_t v) { return _mm_set1_epi32(v); }
    static I Iota() { return _mm_setr_epi32(0, 1, 2, 3); }
    static F Load(const float* p) { return _mm_load_ps(p); }
    static I Load(const int32_t* p) { return _mm_load_si128(reinterpret_cast<const I*>(p)); }
    static void Store(float* p, F v) { _mm_store_ps(p, v); }
    static void Store(int32_t* p, I v) { _mm_store_si128(reinterpret_cast<I*>(p), v); }

    static F Add(F a, F b) { return _mm_add_ps(a, b); }
    static F Sub(F a, F b) { return _mm_sub_ps(a, b); }
    static F Mul(F a, F b) { return _mm_mul_ps(a, b); }
    static F Div(F a, F b) { return _mm_div_ps(a, b); }
    static F Min(F a, F b) { return _mm_min_ps(a, b); }
    static F Max(F a, F b) { return _mm_max_ps(a, b); }
    static F Abs(F a) { return _mm_and_ps(a, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF))); }
    static F Lt(F a, F b) { return _mm_cmplt_ps(a, b); }
    static F Gt(F a, F b) { return _mm_cmpgt_ps(a, b); }
    static F Ge(F a, F b) { return _mm_cmpge_ps(a, b); }
    static F And(F a, F b) { return _mm_and_ps(a, b); }
    static F Select(F m, F a, F b) { return _mm_or_ps(_mm_and_ps(m, a), _mm_andnot_ps(m, b)); }
    static int Mask(F m) { return _mm_movemask_ps(m); }
    static I ToInt(F a) { return _mm_cvttps_epi32(a); }
    static F ToFloat(I a) { return _mm_cvtepi32_ps(a); }
    static I AsI(F a) { return _mm_castps_si128(a); }

    static I Add(I a, I b) { return _mm_add_epi32(a, b); }
    static I Sub(I a, I b) { return _mm_sub_epi32(a, b); }
    static I Gt(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    static I And(I a, I b) { return _mm_and_si128(a, b); }
    static I Select(I m, I a, I b) {
        return _mm_or_si128(_mm_and_si128(m, a), _mm_andnot_si128(m, b));
    }
    static I Shift16(I a) { return _mm_srai_epi32(a, 16); }
    static I Madd(I a, I b) { return _mm_madd_epi16(a, b); }
};
#endif

}  // namespace

void RmRasterRowsPortable(RmRasterRows& rows) { RowsKernel<Portable>::Draw(rows); }

#if DUSK_X86_VECTORS
void RmRasterRowsSse2(RmRasterRows& rows) { RowsKernel<Sse2>::Draw(rows); }
#endif

}  // namespace platform
