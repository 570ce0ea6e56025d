// Viewports: a rectangle of a device seen from a camera frame. The camera looks along its
// frame's +z axis with +y up. A view-space point (x, y, z) with z between the front distance
// (1.0) and the back distance lands on the screen at
//     column = left + width / 2 + (x / z - (planeLeft + planeRight) / 2) * scaleX
//     row    = top + height / 2 - (y / z - (planeBottom + planeTop) / 2) * scaleY
// (halves rounded down), the plane being the window (SetPlane) at distance 1; with uniform
// scaling both scales are the larger of width / planeWidth and height / planeHeight, otherwise
// each is its own. The default plane (-0.5, 0.5, -0.5, 0.5) with uniform scaling gives
// width pixels per unit of x / z; a plane shifted down by h moves the picture h * scale rows up.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/rm_device.h"
#include "platform/rm_frame.h"
#include "platform/rm_light.h"
#include "platform/rm_math.h"
#include "platform/rm_ref.h"
#include "platform/types.h"

namespace platform {

// The rasterizer's inner types, known only to the viewport's source.
struct RmRasterTarget;
struct RmRasterVertex;
struct RmRasterFace;
struct RmRasterStats;

class RmViewport : public RefCounted {
public:
    // Null when the rectangle is empty or not inside the device.
    static RmViewport* Create(RmDevice* device, RmFrame* camera, int32_t left, int32_t top,
                              int32_t width, int32_t height);

    // Fills the rectangle with the palette entry nearest black and forgets its depths.
    // D3DRMERR_BADDEVICE when the device's target has gone.
    HResult Clear();
    // Draws the visuals of `frame` and of every frame below it, lit by every light of the
    // camera's scene, into the rectangle; depths stay for later renders until the next Clear.
    // With `clip` (device pixels, right and bottom excluded) only the pixels inside both it and
    // the rectangle are touched.
    HResult Render(RmFrame* frame, const Rect* clip = nullptr);

    HResult SetBack(float distance);  // D3DRMERR_BADVALUE unless beyond the front distance
    // D3DRMERR_BADVALUE (nothing changed) unless left < right and bottom < top.
    HResult SetPlane(float left, float right, float bottom, float top);
    HResult SetUniformScaling(bool uniform);

    // The screen position of a point given in root coordinates: x column, y row (pixel centres
    // at whole numbers), z its view depth. D3DRMERR_BADVALUE when it is not in front of the
    // camera's front distance.
    HResult Transform(const RmVector& world, RmVector* screen) const;

    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }

    static constexpr float Front = 1.0f;

private:
    ~RmViewport() override;  // in the source, where the rasterizer's types are whole
    RmViewport(RmDevice* device, RmFrame* camera, int32_t left, int32_t top, int32_t width,
               int32_t height);

    struct Projection {
        float centreX, centreY, planeX, planeY, scaleX, scaleY;
    };
    Projection CurrentProjection() const;

    struct LightInfo {
        bool directional;
        RmRgb color;
        RmVector direction;  // root coordinates, unit
    };
    struct ClipVertex {
        float x, y, z, u, v, r, g, b, sr, sg, sb;
    };
    void CollectLights(const RmFrame* frame);
    void RenderFrame(const RmFrame* frame, const RmMatrix4& world, const RmMatrix4& view,
                     const RmVector& eye, const RmRasterTarget& target, const Projection& p,
                     RmRasterStats& stats, uint64_t& triangles);
    void DrawPolygon(std::vector<ClipVertex>& polygon, const RmRasterFace& face,
                     const RmRasterTarget& target, const Projection& p, RmRasterStats& stats,
                     uint64_t& triangles);

    RmRef<RmDevice> device_;
    RmRef<RmFrame> camera_;
    int32_t left_, top_, width_, height_;
    float back_ = 100.0f;
    float planeLeft_ = -0.5f, planeRight_ = 0.5f, planeBottom_ = -0.5f, planeTop_ = 0.5f;
    bool uniform_ = true;

    // Scratch space of one render, kept to avoid allocating per face.
    std::vector<LightInfo> lights_;
    std::vector<RmVector> viewPositions_;
    std::vector<ClipVertex> polygon_, clipped_;
    struct LitNormal {
        float r, g, b;
        bool done;
    };
    std::vector<LitNormal> litNormals_;  // by normal index, for the visual being drawn
    std::vector<RmRasterVertex> screen_;
};

}  // namespace platform
