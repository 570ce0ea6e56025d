#include <gtest/gtest.h>

#include "planner/allocators.h"
#include "platform/exit.h"

namespace {

struct ExitCaught {
    int status;
};

class AllocatorFailure : public testing::Test {
protected:
    void SetUp() override {
        platform::SetExitHook([](int status) { throw ExitCaught{status}; });
    }
    void TearDown() override { platform::SetExitHook(nullptr); }

    // Runs the allocation, which must end the program; returns what it wrote on stderr.
    template <typename F>
    std::string ExpectExit(F allocate) {
        testing::internal::CaptureStderr();
        try {
            allocate();
            ADD_FAILURE() << "the allocation did not end the program";
        } catch (const ExitCaught& e) {
            EXPECT_NE(e.status, 0);
        }
        return testing::internal::GetCapturedStderr();
    }
};

TEST(Allocators, VectorsCoverTheirWholeIndexRange) {
    RangeVector<int32_t> v = ivector(0, 100);
    for (long i = 0; i <= 100; ++i) v[i] = static_cast<int32_t>(i * 3);
    for (long i = 0; i <= 100; ++i) EXPECT_EQ(v[i], i * 3);
    release_ivector(v, 0, 100);
    EXPECT_FALSE(v);

    RangeVector<int32_t> w = ivector(-5, 5);
    for (long i = -5; i <= 5; ++i) w[i] = static_cast<int32_t>(i);
    EXPECT_EQ(w[-5], -5);
    EXPECT_EQ(w[5], 5);
    release_ivector(w, -5, 5);
}

TEST(Allocators, MatrixRowsAreSeparateAndIndexedByTheirBounds) {
    RangeMatrix<float> m = matrix(0, 2, 0, 3);
    for (long r = 0; r <= 2; ++r)
        for (long c = 0; c <= 3; ++c) m[r][c] = 0.0f;
    for (long c = 0; c <= 3; ++c) m[1][c] = 7.5f;
    for (long c = 0; c <= 3; ++c) {
        EXPECT_EQ(m[0][c], 0.0f);
        EXPECT_EQ(m[1][c], 7.5f);
        EXPECT_EQ(m[2][c], 0.0f);
    }
    release_matrix(m, 0, 2, 0, 3);

    RangeMatrix<int32_t> im = imatrix(10, 12, -3, 3);
    for (long r = 10; r <= 12; ++r)
        for (long c = -3; c <= 3; ++c) im[r][c] = static_cast<int32_t>(r * 100 + c);
    EXPECT_EQ(im[10][-3], 997);
    EXPECT_EQ(im[12][3], 1203);
    release_imatrix(im, 10, 12, -3, 3);
    EXPECT_FALSE(im);
}

TEST_F(AllocatorFailure, ReportsTheOperationAndEnds) {
    EXPECT_EQ(ExpectExit([] { ivector(5, 3); }),
              "Numerical Recipes run-time error...\n"
              "allocation failure in ivector()\n"
              "...now exiting to system...\n");
    EXPECT_EQ(ExpectExit([] { matrix(3, 1, 0, 0); }),
              "Numerical Recipes run-time error...\n"
              "allocation failure 1 in matrix()\n"
              "...now exiting to system...\n");
    // The rows fail after the row vector was had; nothing is left behind.
    EXPECT_EQ(ExpectExit([] { imatrix(0, 2, 5, 3); }),
              "Numerical Recipes run-time error...\n"
              "allocation failure 2 in imatrix()\n"
              "...now exiting to system...\n");
}

}  // namespace
