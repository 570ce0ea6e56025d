// The range-indexed vector and matrix allocators.
#include "planner/allocators.h"

#include <cstdlib>

#include "planner/messages.h"
#include "platform/exit.h"
#include "platform/quit_signals.h"

namespace {

// Exit status after an allocation failure.
constexpr int ALLOC_FAILURE_STATUS = 1;

// A block for indices nl .. nh; an empty handle when the range is empty or memory runs out.
template <typename T>
RangeVector<T> AllocateRange(long nl, long nh) {
    RangeVector<T> v;
    if (nh < nl) return v;
    unsigned long count = static_cast<unsigned long>(nh) - static_cast<unsigned long>(nl) + 1;
    if (count == 0 || count > static_cast<unsigned long>(PTRDIFF_MAX) / sizeof(T)) return v;
    v.block = static_cast<T*>(std::malloc(count * sizeof(T)));
    v.low = nl;
    return v;
}

template <typename T>
void FreeRange(RangeVector<T>& v) {
    std::free(v.block);
    v = {};
}

template <typename T>
void ReleaseMatrix(RangeMatrix<T>& m, long nrl, long nrh) {
    if (!m) return;
    for (long i = nrh; i >= nrl; --i) FreeRange(m[i]);
    FreeRange(m.rows);
}

template <typename T>
RangeMatrix<T> AllocateMatrix(long nrl, long nrh, long ncl, long nch, const char* rowsFailure,
                              const char* rowFailure) {
    RangeMatrix<T> m;
    m.rows = AllocateRange<RangeVector<T>>(nrl, nrh);
    if (!m.rows) ReportAllocError(rowsFailure);
    for (long i = nrl; i <= nrh; ++i) {
        m[i] = AllocateRange<T>(ncl, nch);
        if (!m[i]) {
            ReleaseMatrix(m, nrl, i - 1);
            ReportAllocError(rowFailure);
        }
    }
    return m;
}

}  // namespace

void ReportAllocError(const char* message) {
    platform::WriteStandardError(planner_messages::ALLOC_ERROR_HEAD);
    platform::WriteStandardError(message);
    platform::WriteStandardError("\n");
    platform::WriteStandardError(planner_messages::ALLOC_ERROR_TAIL);
    platform::Exit(ALLOC_FAILURE_STATUS);
}

RangeVector<int32_t> ivector(long nl, long nh) {
    RangeVector<int32_t> v = AllocateRange<int32_t>(nl, nh);
    if (!v) ReportAllocError(planner_messages::ALLOC_IVECTOR);
    return v;
}

RangeMatrix<float> matrix(long nrl, long nrh, long ncl, long nch) {
    return AllocateMatrix<float>(nrl, nrh, ncl, nch, planner_messages::ALLOC_MATRIX_ROWS,
                                 planner_messages::ALLOC_MATRIX_ROW);
}

RangeMatrix<int32_t> imatrix(long nrl, long nrh, long ncl, long nch) {
    return AllocateMatrix<int32_t>(nrl, nrh, ncl, nch, planner_messages::ALLOC_IMATRIX_ROWS,
                                   planner_messages::ALLOC_IMATRIX_ROW);
}

void release_ivector(RangeVector<int32_t>& v, long, long) { FreeRange(v); }

void release_matrix(RangeMatrix<float>& m, long nrl, long nrh, long, long) {
    ReleaseMatrix(m, nrl, nrh);
}

void release_imatrix(RangeMatrix<int32_t>& m, long nrl, long nrh, long, long) {
    ReleaseMatrix(m, nrl, nrh);
}
