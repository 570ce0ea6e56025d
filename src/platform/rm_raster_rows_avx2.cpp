#include "platform/rm_raster_rows_avx2_detail.h"

#include "platform/vector_isa.h"

// This source is compiled for AVX2 (see CMakeLists.txt) and called only on machines that have
// it; it is empty where the x86-64 vector code is not built. Nothing here has external linkage
// but the entry, so none of its code can stand in for a function of another source.
#if DUSK_X86_VECTORS
#include <immintrin.h>

#include "platform/rm_raster_kernel_detail.h"

namespace platform {

namespace {

// Eight lanes of AVX2.
struct Avx2 {
    static constexpr int Lanes = 8;
    using F = __m256;
    using I = __m256i;

    static F Set(float v) { return _mm256_set1_ps(v); }
    static I Set(int32_t v) { return _mm256_set1_epi32(v); }
    static I Iota() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }
    static F Load(const float* p) { return _mm256_load_ps(p); }
    static I Load(const int32_t* p) { return _mm256_load_si256(reinterpret_cast<const I*>(p)); }
    static void Store(float* p, F v) { _mm256_store_ps(p, v); }
    static void Store(int32_t* p, I v) { _mm256_store_si256(reinterpret_cast<I*>(p), v); }

    static F Add(F a, F b) { return _mm256_add_ps(a, b); }
    static F Sub(F a, F b) { return _mm256_sub_ps(a, b); }
    static F Mul(F a, F b) { return _mm256_mul_ps(a, b); }
    static F Div(F a, F b) { return _mm256_div_ps(a, b); }
    static F Min(F a, F b) { return _mm256_min_ps(a, b); }
    static F Max(F a, F b) { return _mm256_max_ps(a, b); }
    static F Abs(F a) {
        return _mm256_and_ps(a, _mm256_castsi256_ps(_mm256_set1_epi32(0x7FFFFFFF)));
    }
    static F Lt(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_LT_OQ); }
    static F Gt(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_GT_OQ); }
    static F Ge(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_GE_OQ); }
    static F And(F a, F b) { return _mm256_and_ps(a, b); }
    static F Select(F m, F a, F b) { return _mm256_blendv_ps(b, a, m); }
    static int Mask(F m) { return _mm256_movemask_ps(m); }
    static I ToInt(F a) { return _mm256_cvttps_epi32(a); }
    static F ToFloat(I a) { return _mm256_cvtepi32_ps(a); }
    static I AsI(F a) { return _mm256_castps_si256(a); }

    static I Add(I a, I b) { return _mm256_add_epi32(a, b); }
    static I Sub(I a, I b) { return _mm256_sub_epi32(a, b); }
    static I Gt(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    static I And(I a, I b) { return _mm256_and_si256(a, b); }
    static I Select(I m, I a, I b) { return _mm256_blendv_epi8(b, a, m); }
    static I Shift16(I a) { return _mm256_srai_epi32(a, 16); }
    static I Madd(I a, I b) { return _mm256_madd_epi16(a, b); }
};

}  // namespace

void RmRasterRowsAvx2(RmRasterRows& rows) { RowsKernel<Avx2>::Draw(rows); }

}  // namespace platform
#endif
