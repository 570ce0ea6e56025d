// 8-bit surfaces: a block of palette indices with a pitch, whose memory stays at one address
// for the surface's whole life, so a pointer taken in one Lock is still good after the next.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/palette.h"
#include "platform/result_codes.h"
#include "platform/types.h"

namespace platform {

struct DeviceContext;

struct ColorKey {
    uint32_t low = 0;
    uint32_t high = 0;
};

struct PixelFormat {
    uint32_t flags = 0;
    uint32_t rgbBitCount = 0;
};

struct SurfaceDesc {
    uint32_t flags = 0;  // DDSD_* fields that are set
    uint32_t height = 0;
    uint32_t width = 0;
    int32_t pitch = 0;
    uint32_t zBufferBitDepth = 0;
    ColorKey ckSrcBlt;
    PixelFormat pixelFormat;
    uint32_t caps = 0;        // DDSCAPS_*
    void* surface = nullptr;  // the memory, filled by Lock
};

struct BltFx {
    uint32_t fillColor = 0;
};

class Clipper : public RefCounted {
public:
    // The clipper keeps drawing inside the surface by itself; the window is only checked for
    // the fault injection the tests use.
    HResult SetHWnd(uint32_t flags, Hwnd window);
};

class Surface : public RefCounted {
public:
    // width x height pixels of `bytesPerPixel` bytes (1 for 8-bit surfaces, more for depth
    // buffers).
    Surface(uint32_t caps, uint32_t width, uint32_t height, uint32_t bytesPerPixel);

    // Locks the whole surface (rect null) or a rectangle of it and fills the description with
    // the memory address of that rectangle's first pixel and the pitch. A locked surface cannot
    // be locked again (DDERR_SURFACEBUSY) nor blitted.
    HResult Lock(const Rect* rect, SurfaceDesc* desc, uint32_t flags, void* event = nullptr);
    // DDERR_NOTLOCKED when the surface is not locked.
    HResult Unlock(void* rect = nullptr);

    // Copies the source rectangle (null: the whole source) onto the destination rectangle
    // (null: the whole surface), stretching as needed; with DDBLT_COLORFILL fills the
    // destination rectangle with fx->fillColor; with DDBLT_KEYSRC skips source pixels within
    // the source's colour key. The destination is clipped at the surface edges.
    HResult Blt(const Rect* dest, Surface* src, const Rect* srcRect, uint32_t flags,
                const BltFx* fx);
    // Copies the source rectangle unscaled with its top-left corner at (x, y); with
    // DDBLTFAST_SRCCOLORKEY, source pixels within the source's colour key are skipped. Only the
    // part inside this surface is written; a source rectangle outside the source is
    // DDERR_INVALIDRECT.
    HResult BltFast(uint32_t x, uint32_t y, Surface* src, const Rect* srcRect, uint32_t flags);

    HResult SetColorKey(uint32_t flags, const ColorKey* key);
    HResult SetPalette(Palette* palette);  // null detaches
    HResult SetClipper(Clipper* clipper);
    HResult GetSurfaceDesc(SurfaceDesc* desc) const;
    HResult AddAttachedSurface(Surface* attached);
    // A device context for drawing text into the surface, which stays locked until ReleaseDC.
    HResult GetDC(DeviceContext** dc);
    HResult ReleaseDC(DeviceContext* dc);
    HResult Restore();

    // Direct access for the platform's own services.
    uint8_t* Pixels() { return memory_.get(); }
    const uint8_t* Pixels() const { return memory_.get(); }
    int32_t Pitch() const { return static_cast<int32_t>(pitch_); }
    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    uint32_t Caps() const { return caps_; }
    bool IsPrimary() const;
    bool IsLocked() const { return locked_; }
    const Palette* AttachedPalette() const { return palette_; }

protected:
    ~Surface() override;

private:
    // Called after every change of the pixels; the primary surface then shows them.
    void Changed();

    uint32_t caps_;
    uint32_t width_;
    uint32_t height_;
    uint32_t bytesPerPixel_;
    uint32_t pitch_;
    std::unique_ptr<uint8_t[]> memory_;
    bool locked_ = false;
    bool hasSrcKey_ = false;
    ColorKey srcKey_;
    Palette* palette_ = nullptr;
    Clipper* clipper_ = nullptr;
    Surface* attached_ = nullptr;
};

}  // namespace platform
