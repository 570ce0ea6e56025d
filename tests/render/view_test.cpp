#include "render/view.h"

#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "render/portal.h"

#include <vector>

namespace {

constexpr Fixed16 F(int v) { return v * 65536; }

// A 640 x 480 back buffer gives a 480 x 360 view.
void BindStandardView(std::vector<uint8_t>& pixels, int horizon = 0)
{
    pixels.assign(640 * 480, 0);
    ASSERT_EQ(InitRenderViewport(pixels.data(), 640, {0, 0, 479, 359}), 1);
    SetRenderCamera(0, 0, 0, 0, horizon, 256);
}

}  // namespace

TEST(RenderView, StandardViewHasItsCentreScaleAndBounds)
{
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    EXPECT_EQ(FrameBuffer, pixels.data());
    EXPECT_EQ(ViewWidth, 480);
    EXPECT_EQ(ViewHeight, 360);
    EXPECT_EQ(RowSkip, 160);
    EXPECT_EQ(ScreenCentreX, 240);
    EXPECT_EQ(ScreenCentreY, 180);
    EXPECT_EQ(ViewCentreX, 240);
    EXPECT_EQ(ViewCentreY, 180);
    EXPECT_EQ(ProjectionScaleY, F(480));
    EXPECT_EQ(ProjectionScaleX, F(480));
    EXPECT_EQ(FullClipLeft, F(-240));
    EXPECT_EQ(FullClipRight, F(239));
    EXPECT_EQ(FullClipTop, F(-480));
    EXPECT_EQ(FullClipBottom, F(479));
    // The clip in force never reaches past the view, although the vertical
    // full-view bounds are doubled.
    EXPECT_EQ(ClipLeft, F(-240));
    EXPECT_EQ(ClipRight, F(239));
    EXPECT_EQ(ClipTop, F(-180));
    EXPECT_EQ(ClipBottom, F(179));
}

TEST(RenderView, HorizonMovesTheCentreAndClipsFollowIt)
{
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    const RenderRect rect = {100, 100, 200, 150};
    SetClipRect(&rect);
    EXPECT_EQ(ClipTop, F(-80));

    // A clip set before the camera stays relative to the old centre: 10 rows off.
    SetRenderCamera(0, 0, 0, 0, 10, 256);
    EXPECT_EQ(ViewCentreY, 170);
    EXPECT_EQ(ClipTop, F(-80));

    SetClipRect(&rect);
    EXPECT_EQ(ClipLeft, F(-140));
    EXPECT_EQ(ClipTop, F(-70));
    EXPECT_EQ(ClipRight, F(-40));
    EXPECT_EQ(ClipBottom, F(-20));

    SetClipRect(nullptr);
    EXPECT_EQ(ClipTop, F(-170));
    EXPECT_EQ(ClipBottom, F(189));

    const RenderRect outside = {-50, -50, 1000, 1000};
    SetClipRect(&outside);
    EXPECT_EQ(ClipLeft, F(-240));
    EXPECT_EQ(ClipRight, F(239));
    EXPECT_EQ(ClipTop, F(-170));
    EXPECT_EQ(ClipBottom, F(189));
}

TEST(RenderView, ViewWiderThanTheEdgeTablesIsLimited)
{
    std::vector<uint8_t> pixels(1000 * 900);
    ASSERT_EQ(InitRenderViewport(pixels.data(), 1000, {0, 0, 899, 899}), 1);
    EXPECT_EQ(ViewWidth, 640);
    EXPECT_EQ(ViewHeight, 640);
    EXPECT_EQ(RowSkip, 360);
}

TEST(CameraTransform, QuarterTurnsAreExact)
{
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    const Fixed16 cx = F(5), cy = F(7), cz = F(9);
    const Fixed16 a = 12345, b = -67891;  // the point relative to the camera
    struct Case {
        Angle16 yaw;
        Fixed16 x, z;
    } cases[] = {{0x0000, a, b}, {0x4000, -b, a}, {0x8000, -a, -b}, {0xC000, b, -a}};
    for (const Case& c : cases) {
        SetRenderCamera(cx, cy, cz, c.yaw, 0, 256);
        Fixed16 x, y, z;
        CameraTransformPoint(cx + a, cy - F(2), cz + b, &x, &y, &z);
        EXPECT_EQ(x, c.x) << c.yaw;
        EXPECT_EQ(y, F(2)) << c.yaw;  // view y grows downward
        EXPECT_EQ(z, c.z) << c.yaw;
    }

    SetRenderCamera(0, 0, 0, 0x4000, 0, 256);
    Fixed16 x, y, z;
    CameraTransformPoint(F(1), 0, 0, &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(z, F(1));
}

TEST(CameraTransform, OtherHeadingsRotateThroughTheSineTable)
{
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    SetRenderCamera(0, 0, 0, 0x2000, 0, 256);  // an eighth of a turn
    EXPECT_EQ(CameraYawSin, 23170);
    EXPECT_EQ(CameraYawCos, 23170);
    Fixed16 x, y, z;
    CameraTransformPoint(F(10), 0, F(10), &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(z, static_cast<Fixed16>((int64_t{F(10)} * 23170 * 2) >> 15));
    CameraTransformPoint(F(-3), 0, F(1), &x, &y, &z);
    EXPECT_EQ(x, static_cast<Fixed16>((int64_t{F(-3)} * 23170 - int64_t{F(1)} * 23170) >> 15));
}

TEST(CameraTransform, PolygonFillsViewCorners)
{
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    SetRenderCamera(F(1), F(2), F(3), 0x8000, 0, 256);
    PolygonCount = 4;
    for (int i = 0; i < 4; ++i) {
        WorkingPolygon[i] = {F(i), F(2 * i), F(3 * i), F(i)};
    }
    TransformPolygon();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ViewPolygon[i].x, -(F(i) - F(1)));
        EXPECT_EQ(ViewPolygon[i].y, F(2) - F(2 * i));
        EXPECT_EQ(ViewPolygon[i].z, -(F(3 * i) - F(3)));
        EXPECT_EQ(ViewCorners[i].x, ViewPolygon[i].x);
        EXPECT_EQ(ViewCorners[i].z, ViewPolygon[i].z);
    }
}

TEST(RenderView, BindsALockedSurfaceAndKeepsTheLastFrameWhenTheLockFails)
{
    using namespace platform;
    SetHeadless(true);
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    SurfaceDesc d;
    d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    d.width = 640;
    d.height = 480;
    Surface* surface = nullptr;
    ASSERT_EQ(dd->CreateSurface(d, &surface), DD_OK);

    ASSERT_EQ(InitRenderViewport(surface, {0, 0, 479, 359}), 1);
    EXPECT_TRUE(surface->IsLocked());
    EXPECT_EQ(FrameBuffer, surface->Pixels());
    EXPECT_EQ(ViewWidth + RowSkip, surface->Pitch());

    // Still locked: the second lock fails and the view stays as it was.
    EXPECT_EQ(InitRenderViewport(surface, {0, 0, 99, 99}), 0);
    EXPECT_EQ(ViewWidth, 480);
    EXPECT_EQ(FrameBuffer, surface->Pixels());

    EXPECT_EQ(surface->Unlock(), DD_OK);
    surface->Release();
    dd->Release();
}

TEST(RenderView, EveryFrameSwitchesTheScreenPortalOff)
{
    const PortalQuad quad = {{{F(1), F(2)}, {F(3), F(4)}, {F(5), F(6)}, {F(7), F(8)}}};
    SetPortal(&quad, -5, 9);
    EXPECT_TRUE(ScreenPortal.on);
    EXPECT_EQ(ScreenPortal.quad.corners[2].x, F(5));
    EXPECT_EQ(ScreenPortal.quad.corners[3].z, F(8));
    EXPECT_EQ(ScreenPortal.bottom, -5);
    EXPECT_EQ(ScreenPortal.top, 9);

    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    EXPECT_FALSE(ScreenPortal.on);
    EXPECT_EQ(ScreenPortal.quad.corners[2].x, 0);
    EXPECT_EQ(ScreenPortal.bottom, -32000);
    EXPECT_EQ(ScreenPortal.top, 32000);
}
