#include "render/fill_floor_spans.h"

#include "support/fill_test_frame.h"

using namespace filltest;

namespace {

// A floor 2.0 below the eye from depth 16.0 (corners 0 and 1, texture row 0) to depth
// 8.0 (corners 3 and 2, the last row), 4.0 wide: rows 16 (depth 16) to 32 (depth 8).
class FloorSpansTest : public FillTest {
protected:
    void SetUp() override {
        FillTest::SetUp();
        ViewCorners[0] = {Fx(-2), Fx(2), Fx(16)};
        ViewCorners[1] = {Fx(2), Fx(2), Fx(16)};
        ViewCorners[2] = {Fx(2), Fx(2), Fx(8)};
        ViewCorners[3] = {Fx(-2), Fx(2), Fx(8)};
        texture = MakeTexture(16, 16, 0);
        const Bitmap* b = texture.bitmap();
        FloorTexture = {b, texture.pixels(), static_cast<uint16_t>(b->height - 1),
                        static_cast<uint16_t>(b->width - 1)};
    }

    // One row of the floor at depth 8.0 (or 16.0) from column `left` to `right`: the texture
    // column, exact at both ends (8.8, clamped to the texture), steps by (right end - left end)
    // / count.
    int ExpectedRow(int row, int left, int right, int column) {
        const bool near = row - Centre == 32;
        // At depth 8 the quad spans columns -32..32, at depth 16 columns -16..16.
        auto u = [&](int x) {
            return std::clamp(near ? 60 * x + 1920 : 120 * x + 1920, 0, 15 * 256);
        };
        const int count = right - left + 1;
        const int i = column - Centre - left;
        return Texel((u(left) + i * ((u(right) - u(left)) / count)) >> 8, near ? 15 : 0);
    }

    TestBitmap texture;
};

TEST_F(FloorSpansTest, NearAndFarEdgesShowTheLastAndFirstTextureRows) {
    SetEdge(Centre + 16, -16, 16);
    SetEdge(Centre + 32, -32, 32);
    // The rows between are drawn too; only these two have exact depths.
    for (int r = 17; r < 32; ++r) {
        SetEdge(Centre + r, -r, r);
    }
    FillFloorSpans();
    ExpectRangeReset();
    for (int row : {Centre + 16, Centre + 32}) {
        const int half = row - Centre;
        for (int column = 0; column < Width; ++column) {
            const bool drawn = std::abs(column - Centre) <= half;
            EXPECT_EQ(At(column, row), drawn ? ExpectedRow(row, -half, half, column) : Sentinel)
                << column << "," << row;
        }
    }
    EXPECT_EQ(At(Centre - 16, Centre + 16), Texel(0, 0));    // corner 0 shows texel (0, 0)
    EXPECT_EQ(At(Centre + 31, Centre + 32), Texel(14, 15));  // one step short of the right end
    EXPECT_EQ(At(Centre, Centre + 15), Sentinel);
    EXPECT_EQ(At(Centre, Centre + 33), Sentinel);
}

TEST_F(FloorSpansTest, RowsOfOneSixtyFourAndSixtyFivePixelsAndClampedEnds) {
    struct Span {
        int left, right;
    };
    // 1, 64 and 65 pixels; then a row reaching past both sides of the quad, whose ends
    // take the edge texture columns.
    for (const Span s : {Span{-32, -32}, Span{-32, 31}, Span{-32, 32}, Span{5, 5}, Span{-70, 70}}) {
        SCOPED_TRACE(::testing::Message() << s.left << ".." << s.right);
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        SetEdge(Centre + 32, s.left, s.right);
        FillFloorSpans();
        ExpectFrame([&](int column, int row) {
            const int x = column - Centre;
            return row == Centre + 32 && x >= s.left && x <= s.right
                       ? ExpectedRow(row, s.left, s.right, column)
                       : -1;
        });
    }
}

TEST_F(FloorSpansTest, CentreRowTakesCornerThreesDepth) {
    SetEdge(Centre, -32, 32);
    FillFloorSpans();
    for (int x = -32; x <= 32; ++x) {
        EXPECT_EQ(At(Centre + x, Centre), ExpectedRow(Centre + 32, -32, 32, Centre + x));
    }
}

TEST_F(FloorSpansTest, TransparentTexelsLeaveThePixel) {
    TextureTransparent = 1;
    SetEdge(Centre + 16, -16, 16);
    FillFloorSpans();
    // Texel (0, 0) is 0: the first pixels of the far row keep the background.
    for (int x = -16; x <= 16; ++x) {
        const int want = ExpectedRow(Centre + 16, -16, 16, Centre + x);
        EXPECT_EQ(At(Centre + x, Centre + 16), want == 0 ? Sentinel : want);
    }
    EXPECT_EQ(At(Centre - 16, Centre + 16), Sentinel);
}

TEST_F(FloorSpansTest, DegenerateQuadsAndEmptyRangesDrawNothing) {
    FillFloorSpans();
    ExpectRangeReset();
    // A quad with no extent: its texture axes have no length.
    for (auto& c : ViewCorners) {
        c = {Fx(1), Fx(2), Fx(8)};
    }
    SetEdge(Centre + 32, -32, 32);
    FillFloorSpans();
    ExpectRangeReset();
    ExpectFrame([](int, int) { return -1; });
}

}  // namespace
