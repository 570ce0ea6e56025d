#include "platform/rm_raster_rows_detail.h"

#include <emmintrin.h>

#include "platform/rm_raster_kernel_detail.h"

namespace platform {

namespace {

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

}  // namespace

void RmRasterRowsSse2(RmRasterRows& rows) { RowsKernel<Sse2>::Draw(rows); }

}  // namespace platform
