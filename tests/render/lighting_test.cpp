#include "render/lighting.h"

#include <gtest/gtest.h>

#include "render/view.h"
#include "support/fixed_units.h"

#include <vector>

namespace {

using support::Fx;

class Lighting : public ::testing::Test {
protected:
    void SetUp() override {
        pixels_.assign(640 * 480, 0);
        savedBrightness_ = Brightness;
        // The camera first: InitRenderViewport lights in the view space of the last camera.
        SetRenderCamera(0, 0, 0, 0, 0, 256);
        InitRenderViewport(pixels_.data(), 640, {0, 0, 479, 359});
        SetRenderCamera(0, 0, 0, 0, 0, 256);
        ViewPlaneNormal = {0, 0, -Fx(1)};
        Brightness = 128;
    }
    void TearDown() override { Brightness = savedBrightness_; }

    static Fixed16 LightAt(Fixed16 x, Fixed16 y, Fixed16 z) {
        PolygonVertex v = {x, y, z, -1};
        const Fixed16 light = LightVertex(v);
        EXPECT_EQ(v.light, light);
        return light;
    }

    std::vector<uint8_t> pixels_;
    int savedBrightness_ = 0;
};

}  // namespace

TEST_F(Lighting, DefaultLightsFadeWithDistance) {
    EXPECT_EQ(LightAt(0, 0, Fx(10)), Fx(20));
    EXPECT_EQ(LightAt(0, 0, Fx(500)), 739246);  // 20.0 * 564 / 1000, truncated
    EXPECT_EQ(LightAt(Fx(300), Fx(400), 0), 739246);
    EXPECT_EQ(LightAt(0, 0, Fx(1064)), 0);
    EXPECT_EQ(LightAt(0, 0, Fx(5000)), 0);
    Brightness = 16;
    EXPECT_EQ(LightAt(0, 0, Fx(1)), Fx(5) / 2);
}

TEST_F(Lighting, LevelsAreClampedToTheShadeRows) {
    Brightness = 128 * 10;
    EXPECT_EQ(LightAt(0, 0, Fx(10)), Fx(63));
    SetLighting(Fx(64), Fx(1000), -Fx(5), 0, nullptr);
    EXPECT_EQ(LightAt(0, 0, Fx(10)), 0);
}

TEST_F(Lighting, PointLightsDirectionalLightsAndCones) {
    // A point light 10 units in front of a wall facing it.
    LightRecord point = {0, 0, 0, Fx(10), 1, 0, -1, 0, 1};
    SetLighting(Fx(64), Fx(1000), 0, 1, &point);
    EXPECT_EQ(LightAt(0, 0, Fx(10)), Fx(10));
    // A light at the vertex itself adds nothing.
    EXPECT_EQ(LightAt(0, 0, 0), 0);

    // With a range the light falls off beyond the falloff start.
    point.range = 1;
    SetLighting(Fx(64), Fx(1000), 0, 1, &point);
    EXPECT_EQ(LightAt(0, 0, Fx(10)), 90394);  // 4096 * 10.0 / (25600 + 4096)

    // Unfaded lights are not dimmed by distance.
    point.range = -1;
    point.z = Fx(2000);
    SetLighting(Fx(64), Fx(1000), 0, 1, &point);
    EXPECT_EQ(LightAt(0, 0, Fx(1990)), 0);
    point.kind = 0x41;
    SetLighting(Fx(64), Fx(1000), 0, 1, &point);
    ViewPlaneNormal = {0, 0, Fx(1)};
    EXPECT_EQ(LightAt(0, 0, Fx(1990)), Fx(10));

    // A directional light shines along its direction, rotated with the camera.
    LightRecord sun = {0, 0, -Fx(1), Fx(10), 2, 0, -1, 0, 0};
    SetRenderCamera(Fx(50), Fx(60), Fx(70), 0x8000, 0, 256);
    SetLighting(Fx(64), Fx(1000), 0, 1, &sun);
    EXPECT_EQ(LightTable[0].x, 0);
    EXPECT_EQ(LightTable[0].z, Fx(1));
    EXPECT_EQ(LightAt(0, 0, Fx(5)), Fx(10));
    ViewPlaneNormal = {0, 0, -Fx(1)};
    EXPECT_EQ(LightAt(0, 0, Fx(5)), 0);

    // A downward cone reaches only points below it, where the horizontal distance
    // times the cosine is at least the drop times the sine.
    SetRenderCamera(0, 0, 0, 0, 0, 256);
    LightRecord cone = {0, Fx(10), 0, Fx(10), 3, 0x1000, -1, 0, 3};  // sine = cosine
    SetLighting(Fx(64), Fx(1000), 0, 1, &cone);
    PolygonVertex steep = {Fx(1), Fx(10), Fx(1), 0};  // view y grows downward: 20 below
    PolygonVertex wide = {Fx(30), Fx(10), Fx(0), 0};  // 20 below, 30 across
    PolygonVertex above = {Fx(30), -Fx(20), Fx(1), 0};
    EXPECT_EQ(LightReachesPoint(LightTable[0], steep), 0);
    EXPECT_EQ(LightReachesPoint(LightTable[0], wide), 1);
    EXPECT_EQ(LightReachesPoint(LightTable[0], above), 0);
    // A cone angle of half a turn or more reads inside the sine table.
    cone.coneAngle = 0xFFFF;
    SetLighting(Fx(64), Fx(1000), 0, 1, &cone);
    EXPECT_EQ(LightReachesPoint(LightTable[0], above), 0);
}

TEST_F(Lighting, SpriteCornersTakeTheirOwnersLightWhole) {
    LightRecord lamp = {0, 0, Fx(500), Fx(7), 42, 0, -1, 0, 1};
    SetLighting(Fx(64), Fx(1000), 0, 1, &lamp);
    PolygonVertex v = {0, 0, Fx(10), 0};
    EXPECT_EQ(LightSpriteVertex(v, 42), Fx(7));
    EXPECT_EQ(LightSpriteVertex(v, NoLightOwner), 0);  // the lamp is behind the sprite
}

TEST(PlaneNormal, LevelVerticalAndDegeneratePlanes) {
    FixedVector n;
    PlaneNormal({0, 0, 0}, {Fx(10), 0, 0}, {0, 0, Fx(10)}, n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, -Fx(1));
    EXPECT_EQ(n.z, 0);
    PlaneNormal({0, Fx(3), 0}, {0, Fx(3), Fx(10)}, {Fx(10), Fx(3), 0}, n);
    EXPECT_EQ(n.y, Fx(1));

    PlaneNormal({0, 0, 0}, {Fx(10), 0, 0}, {0, Fx(5), 0}, n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, -Fx(1));

    // A sloped plane is rounded to nearest per component.
    PlaneNormal({0, 0, 0}, {Fx(1), Fx(1), 0}, {0, 0, Fx(1)}, n);
    EXPECT_EQ(n.x, 46341);  // 65536 / sqrt 2 = 46340.95
    EXPECT_EQ(n.y, -46341);
    EXPECT_EQ(n.z, 0);

    PlaneNormal({Fx(1), Fx(1), Fx(1)}, {Fx(1), Fx(1), Fx(1)}, {Fx(1), Fx(9), Fx(1)}, n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 0);
    PlaneNormal({0, 0, 0}, {Fx(1), 0, 0}, {Fx(2), 0, 0}, n);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 0);
}

TEST(Distance2D, RoundsToNearest) {
    EXPECT_EQ(Distance2D(0, 0, Fx(3), Fx(4)), Fx(5));
    EXPECT_EQ(Distance2D(Fx(1), Fx(1), Fx(-2), Fx(-3)), Fx(5));
    EXPECT_EQ(Distance2D(0, 0, 1, 1), 1);
    EXPECT_EQ(Distance2D(0, 0, 2, 3), 4);  // 3.6
    EXPECT_EQ(Distance2D(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX);
}

TEST(ShadeTable, IsTheIdentityOnA256ByteBoundary) {
    InitShadeTable();
    ASSERT_NE(ShadeTable, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(ShadeTable) % 256, 0u);
    for (int level = 0; level < 64; ++level) {
        for (int j = 0; j < 256; ++j) {
            ASSERT_EQ(ShadeTable[level * 256 + j], j);
        }
    }
    EXPECT_EQ(BlendTable, nullptr);
}
