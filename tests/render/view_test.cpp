#include "render/view.h"

#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "render/portal.h"
#include "support/fixed_units.h"

#include <vector>

namespace {

using support::Fx;

// A 640 x 480 back buffer gives a 480 x 360 view.
void BindStandardView(std::vector<uint8_t>& pixels, int horizon = 0) {
    pixels.assign(640 * 480, 0);
    ASSERT_EQ(InitRenderViewport(pixels.data(), 640, {0, 0, 479, 359}), 1);
    SetRenderCamera(0, 0, 0, 0, horizon, 256);
}

}  // namespace

TEST(RenderView, StandardViewHasItsCentreScaleAndBounds) {
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
    EXPECT_EQ(ProjectionScaleY, Fx(480));
    EXPECT_EQ(ProjectionScaleX, Fx(480));
    EXPECT_EQ(FullClipLeft, Fx(-240));
    EXPECT_EQ(FullClipRight, Fx(239));
    EXPECT_EQ(FullClipTop, Fx(-480));
    EXPECT_EQ(FullClipBottom, Fx(479));
    // The clip in force never reaches past the view, although the vertical
    // full-view bounds are doubled.
    EXPECT_EQ(ClipLeft, Fx(-240));
    EXPECT_EQ(ClipRight, Fx(239));
    EXPECT_EQ(ClipTop, Fx(-180));
    EXPECT_EQ(ClipBottom, Fx(179));
}

TEST(RenderView, HorizonMovesTheCentreAndClipsFollowIt) {
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    const RenderRect rect = {100, 100, 200, 150};
    SetClipRect(&rect);
    EXPECT_EQ(ClipTop, Fx(-80));

    // A clip set before the camera stays relative to the old centre: 10 rows off.
    SetRenderCamera(0, 0, 0, 0, 10, 256);
    EXPECT_EQ(ViewCentreY, 170);
    EXPECT_EQ(ClipTop, Fx(-80));

    SetClipRect(&rect);
    EXPECT_EQ(ClipLeft, Fx(-140));
    EXPECT_EQ(ClipTop, Fx(-70));
    EXPECT_EQ(ClipRight, Fx(-40));
    EXPECT_EQ(ClipBottom, Fx(-20));

    SetClipRect(nullptr);
    EXPECT_EQ(ClipTop, Fx(-170));
    EXPECT_EQ(ClipBottom, Fx(189));

    const RenderRect outside = {-50, -50, 1000, 1000};
    SetClipRect(&outside);
    EXPECT_EQ(ClipLeft, Fx(-240));
    EXPECT_EQ(ClipRight, Fx(239));
    EXPECT_EQ(ClipTop, Fx(-170));
    EXPECT_EQ(ClipBottom, Fx(189));
}

TEST(RenderView, ViewWiderThanTheEdgeTablesIsLimited) {
    std::vector<uint8_t> pixels(1000 * 900);
    ASSERT_EQ(InitRenderViewport(pixels.data(), 1000, {0, 0, 899, 899}), 1);
    EXPECT_EQ(ViewWidth, 640);
    EXPECT_EQ(ViewHeight, 640);
    EXPECT_EQ(RowSkip, 360);
}

TEST(CameraTransform, QuarterTurnsAreExact) {
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    const Fixed16 cx = Fx(5), cy = Fx(7), cz = Fx(9);
    const Fixed16 a = 12345, b = -67891;  // the point relative to the camera
    struct Case {
        Angle16 yaw;
        Fixed16 x, z;
    } cases[] = {{0x0000, a, b}, {0x4000, -b, a}, {0x8000, -a, -b}, {0xC000, b, -a}};
    for (const Case& c : cases) {
        SetRenderCamera(cx, cy, cz, c.yaw, 0, 256);
        Fixed16 x, y, z;
        CameraTransformPoint(cx + a, cy - Fx(2), cz + b, &x, &y, &z);
        EXPECT_EQ(x, c.x) << c.yaw;
        EXPECT_EQ(y, Fx(2)) << c.yaw;  // view y grows downward
        EXPECT_EQ(z, c.z) << c.yaw;
    }

    SetRenderCamera(0, 0, 0, 0x4000, 0, 256);
    Fixed16 x, y, z;
    CameraTransformPoint(Fx(1), 0, 0, &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(z, Fx(1));
}

TEST(CameraTransform, OtherHeadingsRotateThroughTheSineTable) {
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    SetRenderCamera(0, 0, 0, 0x2000, 0, 256);  // an eighth of a turn
    EXPECT_EQ(CameraYawSin, 23170);
    EXPECT_EQ(CameraYawCos, 23170);
    Fixed16 x, y, z;
    CameraTransformPoint(Fx(10), 0, Fx(10), &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(z, static_cast<Fixed16>((int64_t{Fx(10)} * 23170 * 2) >> 15));
    CameraTransformPoint(Fx(-3), 0, Fx(1), &x, &y, &z);
    EXPECT_EQ(x, static_cast<Fixed16>((int64_t{Fx(-3)} * 23170 - int64_t{Fx(1)} * 23170) >> 15));
}

TEST(CameraTransform, PolygonFillsViewCorners) {
    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    SetRenderCamera(Fx(1), Fx(2), Fx(3), 0x8000, 0, 256);
    PolygonCount = 4;
    for (int i = 0; i < 4; ++i) {
        WorkingPolygon[i] = {Fx(i), Fx(2 * i), Fx(3 * i), Fx(i)};
    }
    TransformPolygon();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ViewPolygon[i].x, -(Fx(i) - Fx(1)));
        EXPECT_EQ(ViewPolygon[i].y, Fx(2) - Fx(2 * i));
        EXPECT_EQ(ViewPolygon[i].z, -(Fx(3 * i) - Fx(3)));
        EXPECT_EQ(ViewCorners[i].x, ViewPolygon[i].x);
        EXPECT_EQ(ViewCorners[i].z, ViewPolygon[i].z);
    }
}

TEST(RenderView, BindsALockedSurfaceAndKeepsTheLastFrameWhenTheLockFails) {
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

TEST(RenderView, EveryFrameSwitchesTheScreenPortalOff) {
    const PortalQuad quad = {{{Fx(1), Fx(2)}, {Fx(3), Fx(4)}, {Fx(5), Fx(6)}, {Fx(7), Fx(8)}}};
    SetPortal(&quad, -5, 9);
    EXPECT_TRUE(ScreenPortal.on);
    EXPECT_EQ(ScreenPortal.quad.corners[2].x, Fx(5));
    EXPECT_EQ(ScreenPortal.quad.corners[3].z, Fx(8));
    EXPECT_EQ(ScreenPortal.bottom, -5);
    EXPECT_EQ(ScreenPortal.top, 9);

    std::vector<uint8_t> pixels;
    BindStandardView(pixels);
    EXPECT_FALSE(ScreenPortal.on);
    EXPECT_EQ(ScreenPortal.quad.corners[2].x, 0);
    EXPECT_EQ(ScreenPortal.bottom, -32000);
    EXPECT_EQ(ScreenPortal.top, 32000);
}
