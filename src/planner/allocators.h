// Vectors and matrices indexed over any range of indices given at allocation (low bound to high
// bound, both included), so that the planner can index them with its grid's own rows and
// columns. A matrix is a vector of separately allocated rows. The elements are not cleared.
// When a block cannot be had, the failure is reported on the standard error stream and the
// program ends.
#pragma once
#include <cstdint>

template <typename T>
struct RangeVector {
    T* block = nullptr;  // element `low` is block[0]
    long low = 0;
    T& operator[](long i) const { return block[i - low]; }
    explicit operator bool() const { return block != nullptr; }
};

template <typename T>
struct RangeMatrix {
    RangeVector<RangeVector<T>> rows;
    RangeVector<T>& operator[](long row) const { return rows[row]; }
    explicit operator bool() const { return static_cast<bool>(rows); }
};

RangeVector<int32_t> ivector(long nl, long nh);
RangeMatrix<float> matrix(long nrl, long nrh, long ncl, long nch);
RangeMatrix<int32_t> imatrix(long nrl, long nrh, long ncl, long nch);

// Release with the bounds used at allocation; the handle is emptied.
void release_ivector(RangeVector<int32_t>& v, long nl, long nh);
void release_matrix(RangeMatrix<float>& m, long nrl, long nrh, long ncl, long nch);
void release_imatrix(RangeMatrix<int32_t>& m, long nrl, long nrh, long ncl, long nch);

// Writes the three-line failure report to the standard error stream and ends the program.
[[noreturn]] void ReportAllocError(const char* message);
