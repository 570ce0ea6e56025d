#include "render/view.h"

#include <algorithm>

#include "platform/draw_constants.h"
#include "platform/surface.h"
#include "render/int64.h"
#include "render/lighting.h"
#include "render/portal.h"

FixedVector WorldVertexScratch[VertexScratchSize] = {};
FixedVector ViewVertexScratch[VertexScratchSize] = {};

namespace {

RenderCamera Camera = {};
uint16_t ViewportHeight = 0;  // the height last given to SetViewport, for the y scale

Fixed16 Cut32(int64_t v) {
    return static_cast<Fixed16>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

// Keeps the clip rectangle inside the view rectangle around the current projection centre,
// so that nothing clipped by it can reach past the view or the edge tables.
void ClampClipToView() {
    const Fixed16 left = (ViewLeft - ViewCentreX) * FixedOne;
    const Fixed16 right = (ViewLeft + ViewWidth - 1 - ViewCentreX) * FixedOne;
    const Fixed16 top = (ViewTop - ViewCentreY) * FixedOne;
    const Fixed16 bottom = (ViewTop + ViewHeight - 1 - ViewCentreY) * FixedOne;
    ClipLeft = std::max(ClipLeft, left);
    ClipRight = std::min(ClipRight, right);
    ClipTop = std::max(ClipTop, top);
    ClipBottom = std::min(ClipBottom, bottom);
}

void UseFullClip() {
    ClipLeft = FullClipLeft;
    ClipTop = FullClipTop;
    ClipRight = FullClipRight;
    ClipBottom = FullClipBottom;
}

}  // namespace

int InitRenderViewport(platform::Surface* surface, const RenderRect& rect) {
    platform::SurfaceDesc desc;
    if (surface == nullptr ||
        surface->Lock(nullptr, &desc, platform::DDLOCK_WAIT) != platform::DD_OK) {
        return 0;
    }
    return InitRenderViewport(static_cast<uint8_t*>(desc.surface), desc.pitch, rect);
}

int InitRenderViewport(uint8_t* pixels, int pitch, const RenderRect& rect) {
    ViewLeft = rect.left;
    ViewTop = rect.top;
    // The edge tables bound the view.
    ViewWidth = std::clamp(rect.right - rect.left + 1, 0, EdgeTableSize);
    ViewHeight = std::clamp(rect.bottom - rect.top + 1, 0, EdgeTableSize);
    RowSkip = pitch - ViewWidth;
    ScreenCentreX = ViewLeft + (ViewWidth >> 1);
    ScreenCentreY = ViewTop + (ViewHeight >> 1);
    FrameBuffer = pixels;

    // The height given is twice the view width: the y scale and the vertical full-view
    // bounds follow from it.
    SetViewport(0, 0, ViewWidth, 2 * ViewWidth);
    ViewAspect = FixedOne;

    const LightRecord defaults[2] = {
        {0, 0, 0, 100 * FixedOne, 0, 0, 0, 0, 0},
        {0, 0, 0, 63 * FixedOne, 0, 0, 0, 0, 0},
    };
    SetLighting(64 * FixedOne, 1000 * FixedOne, 20 * FixedOne, 2, defaults);
    SetPortal(nullptr, PortalOffBottom, PortalOffTop);
    return 1;
}

void SetViewport(int left, int top, int width, int height) {
    ViewCentreX = left + (width >> 1);
    ViewCentreY = top + (height >> 1);
    FullClipRight = ((width - 1) >> 1) * FixedOne;
    FullClipBottom = ((height - 1) >> 1) * FixedOne;
    FullClipLeft = -(width >> 1) * FixedOne;
    FullClipTop = -(height >> 1) * FixedOne;
    UseFullClip();
    ViewportHeight = static_cast<uint16_t>(height);
}

int MaxWholeViewHorizon(int viewWidth, int viewHeight) {
    // As InitRenderViewport sets them: the bounds of a viewport twice the view width high.
    const int boundTop = viewWidth, boundBottom = (2 * viewWidth - 1) >> 1;
    const int above = viewHeight >> 1, below = viewHeight - 1 - above;
    return std::max(0, std::min(boundTop - above, boundBottom - below));
}

void SetClipRect(const RenderRect* rect) {
    if (rect == nullptr) {
        UseFullClip();
    } else {
        ClipLeft = (rect->left - ViewCentreX) * FixedOne;
        ClipTop = (rect->top - ViewCentreY) * FixedOne;
        ClipRight = (rect->right - ViewCentreX) * FixedOne;
        ClipBottom = (rect->bottom - ViewCentreY) * FixedOne;
    }
    ClampClipToView();
}

RenderRect ClipWindow() {
    return {ViewCentreX + (ClipLeft >> 16), ViewCentreY + (ClipTop >> 16),
            ViewCentreX + (ClipRight >> 16), ViewCentreY + (ClipBottom >> 16)};
}

void SetRenderCamera(Fixed16 x, Fixed16 y, Fixed16 z, Angle16 yaw, int horizon, int fovDivisor) {
    Camera.x = x;
    Camera.y = y;
    Camera.z = z;
    Camera.yaw = yaw;
    SetupCameraProjection(Camera, fovDivisor, horizon);
}

void SetupCameraProjection(const RenderCamera& camera, int fovDivisor, int horizon) {
    // (H * 2^24) / (2 * fovDivisor), unsigned; a divisor below 1 is taken as 1.
    const uint64_t divisor = 2u * static_cast<uint32_t>(std::max(fovDivisor, 1));
    const uint64_t scale = (static_cast<uint64_t>(ViewportHeight) << 24) / divisor;
    ProjectionScaleY = Cut32(static_cast<int64_t>(std::min<uint64_t>(scale, INT32_MAX)));
    ProjectionScaleX = MulDiv(ProjectionScaleY, FixedOne, ViewAspect);

    ViewCentreY = ScreenCentreY - horizon;
    ViewCentreX = ScreenCentreX;
    ClampClipToView();

    CameraX = camera.x;
    CameraY = camera.y;
    CameraZ = camera.z;
    CameraYaw = camera.yaw;
    CameraYawSin = SineTable[camera.yaw >> 6];
    CameraYawCos = SineTable[(camera.yaw >> 6) + 256];
}

FixedVector TransformToView(Fixed16 wx, Fixed16 wy, Fixed16 wz) {
    const int64_t x = Cut32(static_cast<int64_t>(wx) - CameraX);
    const int64_t y = Cut32(static_cast<int64_t>(CameraY) - wy);
    const int64_t z = Cut32(static_cast<int64_t>(wz) - CameraZ);
    FixedVector out;
    out.y = static_cast<Fixed16>(y);
    if ((CameraYaw & 0x3FFF) == 0) {
        // Quarter turns are exact.
        switch (CameraYaw) {
            case 0x0000:
                out.x = Cut32(x);
                out.z = Cut32(z);
                break;
            case 0x4000:
                out.x = Cut32(-z);
                out.z = Cut32(x);
                break;
            case 0x8000:
                out.x = Cut32(-x);
                out.z = Cut32(-z);
                break;
            default:
                out.x = Cut32(z);
                out.z = Cut32(-x);
                break;
        }
        return out;
    }
    const int64_t s = CameraYawSin;
    const int64_t c = CameraYawCos;
    out.x = Cut32((x * c - z * s) >> 15);
    out.z = Cut32((x * s + z * c) >> 15);
    return out;
}

void TransformVertex(int i) {
    if (i < 0 || i >= VertexScratchSize) {
        return;
    }
    const FixedVector& w = WorldVertexScratch[i];
    ViewVertexScratch[i] = TransformToView(w.x, w.y, w.z);
}

void TransformPolygon() {
    const int count = std::clamp(PolygonCount, 0, PolygonCapacity);
    for (int i = 0; i < count; ++i) {
        const PolygonVertex& w = WorkingPolygon[i];
        const FixedVector v = TransformToView(w.x, w.y, w.z);
        ViewPolygon[i].x = v.x;
        ViewPolygon[i].y = v.y;
        ViewPolygon[i].z = v.z;
        ViewPolygon[i].light = w.light;
    }
    for (int i = 0; i < 4; ++i) {
        ViewCorners[i] = {ViewPolygon[i].x, ViewPolygon[i].y, ViewPolygon[i].z};
    }
}

void CameraTransformPoint(Fixed16 x, Fixed16 y, Fixed16 z, Fixed16* outX, Fixed16* outY,
                          Fixed16* outZ) {
    WorldVertexScratch[0] = {x, y, z};
    TransformVertex(0);
    *outX = ViewVertexScratch[0].x;
    *outY = ViewVertexScratch[0].y;
    *outZ = ViewVertexScratch[0].z;
}
