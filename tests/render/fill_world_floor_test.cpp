#include "render/fill_world_floor.h"

#include <cmath>

#include "support/fill_test_frame.h"

using namespace filltest;

namespace {

constexpr double Pi = 3.14159265358979323846;

// Texel at the tiled texture coordinates (u, v), wrapped; -1 when either lies within
// 0.1 texel of a texel edge, where fixed-point rounding may pick the neighbour.
int TiledTexel(double u, double v, int width, int height) {
    auto nearEdge = [](double t) { return std::abs(t - std::round(t)) < 0.1; };
    if (nearEdge(u) || nearEdge(v)) {
        return -1;
    }
    auto wrap = [](double t, int n) { return static_cast<int>(t - n * std::floor(t / n)); };
    return Texel(wrap(std::floor(u), width), wrap(std::floor(v), height));
}

class WorldFloorTest : public FillTest {
protected:
    void UseTexture(int width, int height, const std::function<uint8_t(int, int)>& texel = Texel) {
        texture = MakeTexture(width, height, 0, texel);
        const Bitmap* b = texture.bitmap();
        FloorTexture = {b, texture.pixels(), static_cast<uint16_t>(b->height - 1),
                        static_cast<uint16_t>(b->width - 1)};
    }

    // Every pixel of the drawn rows either matches `expected` (-1: too near a texel edge
    // to tell) or is skipped; most must be checked.
    void ExpectTiled(int firstRow, int lastRow, const std::function<int(int x, int r)>& expected) {
        int checked = 0;
        int total = 0;
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int x = -Centre; x < Width - Centre; ++x, ++total) {
                const int want = expected(x, r);
                if (want >= 0) {
                    ++checked;
                    ASSERT_EQ(At(Centre + x, Centre + r), want) << "column " << x << " row " << r;
                }
            }
        }
        EXPECT_GT(checked, total / 2);
    }

    TestBitmap texture;
};

// A level floor 1.5 below the eye; the texture is anchored in the world: texel row
// 2 x world x, column 2 x world z.
TEST_F(WorldFloorTest, RotatedFloorIsFixedInTheWorldWhateverTheCamera) {
    UseTexture(16, 8);
    struct Pose {
        double x, z;
        Angle16 yaw;
        int offsetU, offsetV;
    };
    for (const Pose p :
         {Pose{0, 0, 0, 0, 0}, Pose{3.25, -2.75, 0, 0, 0}, Pose{3.25, -2.75, 0x2000, 0, 0},
          Pose{-1.5, 0.75, 0x4000, 0, 0}, Pose{0.5, 0.5, 0xB000, 3, 3}}) {
        SCOPED_TRACE(::testing::Message() << "camera " << p.x << ", " << p.z << " yaw " << p.yaw);
        CameraX = static_cast<Fixed16>(p.x * 65536);
        CameraY = Fx(3);
        CameraZ = static_cast<Fixed16>(p.z * 65536);
        CameraYaw = p.yaw;
        CameraYawSin = SineTable[p.yaw >> 6];
        CameraYawCos = SineTable[(p.yaw >> 6) + 256];
        TextureOffsetU = static_cast<uint16_t>(p.offsetU);
        TextureOffsetV = static_cast<uint16_t>(p.offsetV);
        ViewCorners[0] = {Fx(-2), Fx(3) / 2, Fx(8)};
        ViewCorners[3] = {Fx(-2), Fx(3) / 2, Fx(8)};
        for (int r = 4; r < Height - Centre; ++r) {
            SetEdge(Centre + r, -Centre, Width - Centre - 1);
        }
        FillFloorSpansRotated();
        ExpectRangeReset();
        const double s = std::sin(p.yaw * 2 * Pi / 65536);
        const double c = std::cos(p.yaw * 2 * Pi / 65536);
        ExpectTiled(4, Height - Centre - 1, [&](int x, int r) {
            const double z = 1.5 * 128 / r;
            const double vx = x * z / 128;
            const double worldX = p.x + vx * c + z * s;
            const double worldZ = p.z - vx * s + z * c;
            return TiledTexel(2 * worldZ + p.offsetU, 2 * worldX + p.offsetV, 16, 8);
        });
    }
}

TEST_F(WorldFloorTest, RotatedFloorIsSeamlessAcrossPolygons) {
    UseTexture(16, 8);
    CameraX = Fx(1);
    CameraY = Fx(2);
    CameraYaw = 0x1234;
    CameraYawSin = SineTable[0x1234 >> 6];
    CameraYawCos = SineTable[(0x1234 >> 6) + 256];
    ViewCorners[0] = {Fx(-2), Fx(2), Fx(8)};
    for (int r = 10; r < 60; ++r) {
        SetEdge(Centre + r, -60, 60);
    }
    FillFloorSpansRotated();
    const std::vector<uint8_t> whole = buffer;
    std::fill(buffer.begin(), buffer.end(), Sentinel);
    // The same rows as two polygons, meeting at column 7.
    for (int r = 10; r < 60; ++r) {
        SetEdge(Centre + r, -60, 6);
    }
    FillFloorSpansRotated();
    for (int r = 10; r < 60; ++r) {
        SetEdge(Centre + r, 7, 60);
    }
    FillFloorSpansRotated();
    EXPECT_TRUE(buffer == whole);
}

// A slope rising away from the eye (normal (0, 0.8, 0.6) in view space, y down), its
// first edge level along x at depth 8.0 and 2.0 below the eye: u runs along x from
// corner 0, v up the slope. Rows are mapped exactly at the first pixel and every 63rd
// after it and at the last; between those points u and v step by 1/n of the
// difference per pixel, n being the sub-span's pixel count.
TEST_F(WorldFloorTest, AlignedSlopeMapsAlongItsFirstEdge) {
    UseTexture(8, 16);
    ViewCorners[0] = {Fx(-2), Fx(2), Fx(8)};
    ViewCorners[1] = {Fx(2), Fx(2), Fx(8)};
    ViewPlaneNormal = {0, 52429, 39322};
    TextureOffsetU = 3;
    TextureOffsetV = 3;
    const int left = -Centre;
    const int right = Width - Centre - 1;
    for (int r = -60; r < Height - Centre; ++r) {
        SetEdge(Centre + r, left, right);
    }
    FillFloorSpansAligned();
    ExpectRangeReset();
    ExpectTiled(-60, Height - Centre - 1, [&](int x, int r) {
        const double t = 6.4 / (0.8 * r / 128 + 0.6);  // depth of the row's hits
        auto u = [&](int column) { return column * t / 128 + 2; };
        const double v = -0.6 * (r * t / 128 - 2) + 0.8 * (t - 8);
        int k = (x - left) / 63;
        if (k > 0 && left + 63 * k == right) {
            --k;  // the last pixel ends the sub-span before
        }
        const int cur = left + 63 * k;
        const int end = std::min(cur + 63, right);
        const double stepped = u(cur) + (x - cur) * (u(end) - u(cur)) / (end - cur + 1);
        return TiledTexel(2 * stepped + 3, 2 * v + 3, 8, 16);
    });
}

TEST_F(WorldFloorTest, AlignedRowsCarryTheLightAcrossSubSpans) {
    // Every texel 5; shade row L writes L, so each pixel shows its light level.
    UseTexture(8, 8, [](int, int) { return uint8_t{5}; });
    static uint8_t shade[64 * 256];
    for (int level = 0; level < 64; ++level) {
        std::fill_n(shade + level * 256, 256, static_cast<uint8_t>(level));
    }
    ShadeTable = shade;
    ViewCorners[0] = {Fx(-2), Fx(2), Fx(8)};
    ViewCorners[1] = {Fx(2), Fx(2), Fx(8)};
    ViewPlaneNormal = {0, 52429, 39322};
    SetEdge(Centre + 20, -65, 64, Fx(10), Fx(50));  // 130 pixels: sub-spans of 64, 64 and 4
    SetEdge(Centre + 21, 3, 3, Fx(10), Fx(50));     // one pixel: the left end's light
    FillFloorSpansAligned();
    for (int p = 0; p < 130; ++p) {
        // 40 levels over 129 steps: 79 / 256 of a level per pixel, unbroken at the sub-span ends.
        ASSERT_EQ(At(Centre - 65 + p, Centre + 20), (10 * 256 + 79 * p) >> 8) << p;
    }
    EXPECT_EQ(At(Centre + 3, Centre + 21), 10);
    EXPECT_EQ(At(Centre + 65, Centre + 20), Sentinel);
    EXPECT_EQ(At(Centre + 4, Centre + 21), Sentinel);
}

TEST_F(WorldFloorTest, TransparencyOnlyOnTheRotatedPath) {
    UseTexture(8, 8, [](int, int) { return uint8_t{0}; });
    TextureTransparent = 1;
    ViewCorners[0] = {Fx(-2), Fx(2), Fx(8)};
    ViewCorners[1] = {Fx(2), Fx(2), Fx(8)};
    ViewPlaneNormal = {0, FixedOne, 0};
    SetEdge(Centre + 20, -10, 10);
    FillFloorSpansRotated();
    EXPECT_EQ(At(Centre, Centre + 20), Sentinel);
    SetEdge(Centre + 20, -10, 10);
    FillFloorSpansAligned();
    EXPECT_EQ(At(Centre, Centre + 20), 0);
}

TEST_F(WorldFloorTest, DegenerateInputDrawsNothing) {
    UseTexture(8, 8);
    // No horizontal first edge for the aligned filler.
    ViewCorners[0] = {Fx(1), Fx(2), Fx(8)};
    ViewCorners[1] = {Fx(1), Fx(-2), Fx(8)};
    SetEdge(Centre + 20, -10, 10);
    FillFloorSpansAligned();
    ExpectRangeReset();
    // The rotated filler's centre row at a depth behind the eye.
    ViewCorners[3] = {Fx(1), Fx(2), Fx(-8)};
    SetEdge(Centre, -10, 10);
    FillFloorSpansRotated();
    ExpectRangeReset();
    ExpectFrame([](int, int) { return -1; });
}

}  // namespace
