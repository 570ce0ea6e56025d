#pragma once
// Binding a frame buffer, the view and clip rectangles, the camera and the view transform.
// View space: x to the right, y downward (CameraY - world y), z forward.
#include <cstdint>

#include "render/render_state.h"

namespace platform {
class Surface;
}

// The camera handed to the projection set-up; pitch and roll are never set and change nothing.
struct RenderCamera {
    Fixed16 x;
    Fixed16 y;
    Fixed16 z;
    Angle16 yaw;
    Angle16 pitch;
    Angle16 roll;
};

// Scratch entries for single points turned into view space by TransformVertex.
constexpr int VertexScratchSize = 4;
extern FixedVector WorldVertexScratch[VertexScratchSize];
extern FixedVector ViewVertexScratch[VertexScratchSize];

// Locks the whole surface (waiting) and binds its memory as below. Returns 0, changing
// nothing, when the lock fails; otherwise 1, and the caller unlocks after the frame.
int InitRenderViewport(platform::Surface* surface, const RenderRect& rect);

// Binds an 8-bit buffer (pixels at `pixels`, rows `pitch` bytes apart) for one frame and sets
// up the view for `rect` (inclusive), the default lights and the full clip, with the screen
// portal off. Returns 1.
int InitRenderViewport(uint8_t* pixels, int pitch, const RenderRect& rect);

void SetViewport(int left, int top, int width, int height);

// The largest horizon offset, up or down, at which a view of this size is still drawn whole:
// the full-view bounds reach a view width above and below the projection centre, and rows
// beyond them stay undrawn.
int MaxWholeViewHorizon(int viewWidth, int viewHeight);

// Clip rectangle in screen pixels, inclusive; null for the full view. Set it after the camera:
// it is kept relative to the projection centre, which the horizon moves.
void SetClipRect(const RenderRect* rect);
// The clip rectangle in force, in screen pixels, inclusive.
RenderRect ClipWindow();

void SetRenderCamera(Fixed16 x, Fixed16 y, Fixed16 z, Angle16 yaw, int horizon, int fovDivisor);
void SetupCameraProjection(const RenderCamera& camera, int fovDivisor, int horizon);

// World -> view of one point.
FixedVector TransformToView(Fixed16 x, Fixed16 y, Fixed16 z);
// World -> view of WorldVertexScratch[i] into ViewVertexScratch[i].
void TransformVertex(int i);
// WorkingPolygon (world) -> ViewPolygon (view); the first four view vertices go to ViewCorners.
void TransformPolygon();
void CameraTransformPoint(Fixed16 x, Fixed16 y, Fixed16 z, Fixed16* outX, Fixed16* outY,
                          Fixed16* outZ);
