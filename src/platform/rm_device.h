// The device: where the scene graph draws. It writes 8-bit palette indices into a target (the
// back buffer), keeps the depth buffer of the whole target, maps colours to the target's palette,
// and reports the rectangles drawn to its update callbacks.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rm_palette_map.h"
#include "platform/rm_texture.h"
#include "platform/rm_types.h"
#include "platform/types.h"

namespace platform {

// The memory drawn into: width x height palette indices with a pitch, and the palette they
// index (256 entries; null: all black).
struct RmTarget {
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    int32_t width = 0;
    int32_t height = 0;
    const PaletteEntry* palette = nullptr;
};

class RmDevice;
using RmUpdateCallback = void (*)(RmDevice* device, void* argument, int32_t count,
                                  const Rect* rects);

class RmDevice : public RefCounted {
public:
    // `source` gives the target each time the device draws; its size is fixed at creation.
    // Null when the first target has no pixels or no size.
    static RmDevice* Create(std::function<RmTarget()> source);

    uint32_t GetWidth() const { return width_; }
    uint32_t GetHeight() const { return height_; }

    // Solid fill only; D3DRMERR_BADVALUE for other fill modes.
    HResult SetQuality(uint32_t quality);
    uint32_t GetQuality() const { return quality_; }
    // Nearest texel only; D3DRMERR_BADVALUE for other modes.
    HResult SetTextureQuality(int32_t quality);
    // No dithering; D3DRMERR_BADVALUE when asked for it.
    HResult SetDither(bool dither);

    HResult AddUpdateCallback(RmUpdateCallback callback, void* argument);
    // Calls each update callback, in the order added, with the rectangles drawn (cleared or
    // rendered) since the last update, then forgets them.
    HResult Update();

    // Triangles drawn, and nanoseconds spent in viewport renders, since the device was made.
    uint64_t TrianglesDrawn() const { return triangles_; }
    uint64_t RenderNanoseconds() const { return renderNanoseconds_; }

    // For the viewports: the target with the palette map brought up to date (false when the
    // target has gone or changed size), the depth buffer, and the bookkeeping of what was drawn.
    bool BeginDrawing(RmTarget& target);
    const RmPaletteMap& PaletteMap() const { return paletteMap_; }
    float* Depth() { return depth_.data(); }
    // Sets the depth buffer inside rect back to the farthest; only what was drawn since needs it.
    void ClearDepth(const Rect& rect);
    void AddDrawn(const Rect& rect, uint64_t triangles, uint64_t nanoseconds);
    // Widens what ClearDepth must clear by a rectangle a render wrote depths in.
    void AddDepthDrawn(const Rect& rect);

private:
    RmDevice(std::function<RmTarget()> source, uint32_t width, uint32_t height);

    std::function<RmTarget()> source_;
    uint32_t width_;
    uint32_t height_;
    uint32_t quality_ = D3DRMRENDER_GOURAUD;
    std::vector<float> depth_;
    RmPaletteMap paletteMap_;
    std::vector<std::pair<RmUpdateCallback, void*>> callbacks_;
    std::vector<Rect> drawn_;
    Rect depthDrawn_{};  // holds every depth written since the buffer was last cleared there
    uint64_t triangles_ = 0;
    uint64_t renderNanoseconds_ = 0;
};

}  // namespace platform
