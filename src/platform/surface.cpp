#include "platform/surface.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/gdi_detail.h"
#include "platform/limits.h"
#include "platform/presenter.h"
#include "platform/presenter_detail.h"

namespace platform {

HResult Clipper::SetHWnd(uint32_t, Hwnd) {
    if (HResult fault = TakeFault("SetHWnd")) return fault;
    return DD_OK;
}

Surface::Surface(uint32_t caps, uint32_t width, uint32_t height, uint32_t bytesPerPixel)
    : caps_(caps), width_(width), height_(height), bytesPerPixel_(bytesPerPixel) {
    uint32_t row = width * bytesPerPixel;
    pitch_ = (row + PitchAlignment - 1) / PitchAlignment * PitchAlignment;
    size_t bytes = static_cast<size_t>(pitch_) * height;
    memory_.reset(new uint8_t[bytes > 0 ? bytes : 1]());
    if (caps_ & DDSCAPS_PRIMARYSURFACE) SetPrimarySurface(this);
}

Surface::~Surface() {
    if (IsPrimary()) SetPrimarySurface(nullptr);
    if (palette_) palette_->Release();
    if (clipper_) clipper_->Release();
    if (attached_) attached_->Release();
}

bool Surface::IsPrimary() const { return PrimarySurface() == this; }

void Surface::Changed() {
    if (IsPrimary()) PresentPrimary(*this);
}

HResult Surface::Lock(const Rect* rect, SurfaceDesc* desc, uint32_t, void*) {
    if (HResult fault = TakeFault("Lock")) return fault;
    if (!desc) return DDERR_INVALIDPARAMS;
    if (locked_) return DDERR_SURFACEBUSY;
    size_t offset = 0;
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->left > rect->right ||
            rect->top > rect->bottom || static_cast<uint32_t>(rect->right) > width_ ||
            static_cast<uint32_t>(rect->bottom) > height_) {
            return DDERR_INVALIDRECT;
        }
        offset = static_cast<size_t>(rect->top) * pitch_ +
                 static_cast<size_t>(rect->left) * bytesPerPixel_;
    }
    HResult result = GetSurfaceDesc(desc);
    if (result != DD_OK) return result;
    desc->surface = memory_.get() + offset;
    desc->flags |= DDSD_LPSURFACE;
    locked_ = true;
    return DD_OK;
}

HResult Surface::Unlock(void*) {
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    Changed();
    return DD_OK;
}

HResult Surface::SetColorKey(uint32_t flags, const ColorKey* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_UNSUPPORTED;
    if (key) {
        srcKey_ = *key;
        hasSrcKey_ = true;
    } else {
        hasSrcKey_ = false;
    }
    return DD_OK;
}

HResult Surface::SetPalette(Palette* palette) {
    if (HResult fault = TakeFault("SetPalette")) return fault;
    if (bytesPerPixel_ != 1) return DDERR_NOTPALETTIZED;
    if (palette) palette->AddRef();
    if (palette_) palette_->Release();
    palette_ = palette;
    Changed();
    return DD_OK;
}

HResult Surface::SetClipper(Clipper* clipper) {
    if (HResult fault = TakeFault("SetClipper")) return fault;
    if (clipper) clipper->AddRef();
    if (clipper_) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HResult Surface::GetSurfaceDesc(SurfaceDesc* desc) const {
    if (HResult fault = TakeFault("GetSurfaceDesc")) return fault;
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = SurfaceDesc{};
    desc->flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->width = width_;
    desc->height = height_;
    desc->pitch = static_cast<int32_t>(pitch_);
    desc->caps = caps_;
    if (caps_ & DDSCAPS_ZBUFFER) {
        desc->flags |= DDSD_ZBUFFERBITDEPTH;
        desc->zBufferBitDepth = bytesPerPixel_ * 8;
    } else {
        desc->pixelFormat.flags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
        desc->pixelFormat.rgbBitCount = 8;
    }
    if (hasSrcKey_) {
        desc->flags |= DDSD_CKSRCBLT;
        desc->ckSrcBlt = srcKey_;
    }
    return DD_OK;
}

HResult Surface::AddAttachedSurface(Surface* attached) {
    if (HResult fault = TakeFault("AddAttachedSurface")) return fault;
    if (!attached || attached == this) return DDERR_INVALIDPARAMS;
    if (attached_) return DDERR_SURFACEALREADYATTACHED;
    attached->AddRef();
    attached_ = attached;
    return DD_OK;
}

HResult Surface::GetDC(DeviceContext** dc) {
    if (HResult fault = TakeFault("GetDC")) return fault;
    if (!dc) return DDERR_INVALIDPARAMS;
    if (bytesPerPixel_ != 1) return DDERR_CANTCREATEDC;
    if (locked_) return DDERR_SURFACEBUSY;
    locked_ = true;
    *dc = new DeviceContext();
    (*dc)->surface = this;
    return DD_OK;
}

HResult Surface::ReleaseDC(DeviceContext* dc) {
    if (!dc || dc->surface != this) return DDERR_INVALIDPARAMS;
    delete dc;
    locked_ = false;
    Changed();
    return DD_OK;
}

HResult Surface::Restore() { return DD_OK; }

// Blt and BltFast: colour fill, stretch copy and colour-keyed copy, always clipped to the
// destination so that no write lands outside a surface.

namespace {

bool Inverted(const Rect& r) { return r.right < r.left || r.bottom < r.top; }

bool InsideSurface(const Rect& r, const Surface& s) {
    return !Inverted(r) && r.left >= 0 && r.top >= 0 &&
           static_cast<int64_t>(r.right) <= static_cast<int64_t>(s.Width()) &&
           static_cast<int64_t>(r.bottom) <= static_cast<int64_t>(s.Height());
}

Rect Whole(const Surface& s) {
    return Rect{0, 0, static_cast<int32_t>(s.Width()), static_cast<int32_t>(s.Height())};
}

// Where source pixels come from: the surface itself, or a copy of it when it is also the
// destination, so that overlapping copies read the pixels as they were before the blit.
struct SourcePixels {
    const uint8_t* pixels;
    int32_t pitch;
    std::vector<uint8_t> copy;

    SourcePixels(const Surface& src, const Surface& dest) {
        pitch = src.Pitch();
        if (&src == &dest) {
            copy.assign(src.Pixels(), src.Pixels() + static_cast<size_t>(pitch) * src.Height());
            pixels = copy.data();
        } else {
            pixels = src.Pixels();
        }
    }
};

// Copies one stretched row, row[x] = srcRow[sourceColumn[x]]. The common stretch of three source
// columns onto four (the view onto the full screen) takes eight pixels at a time from six source
// bytes where the pattern starts afresh; first is the destination column's place in the stretch.
void StretchRow(uint8_t* row, const uint8_t* srcRow, const int32_t* sourceColumn, int64_t cols,
                int64_t first, bool threeToFour) {
    int64_t x = 0;
    if (threeToFour && std::endian::native == std::endian::little) {
        for (; x < cols && (first + x) % 4 != 0; ++x) row[x] = srcRow[sourceColumn[x]];
        for (; x + 8 <= cols; x += 8) {
            const uint8_t* from = srcRow + sourceColumn[x];
            uint32_t low;
            uint16_t high;
            std::memcpy(&low, from, 4);
            std::memcpy(&high, from + 4, 2);
            const uint64_t in = low | uint64_t{high} << 32;
            const uint64_t out =
                (in & 0xFF) * 0x101 | (in & 0xFFFFFF00) << 8 | (in & 0xFFFFFF000000) << 16;
            std::memcpy(row + x, &out, 8);
        }
    }
    for (; x < cols; ++x) row[x] = srcRow[sourceColumn[x]];
}

}  // namespace

HResult Surface::Blt(const Rect* dest, Surface* src, const Rect* srcRect, uint32_t flags,
                     const BltFx* fx) {
    if (HResult fault = TakeFault("Blt")) return fault;
    if (locked_ || (src && src->locked_)) return DDERR_SURFACEBUSY;
    Rect d = dest ? *dest : Whole(*this);
    if (Inverted(d)) return DDERR_INVALIDRECT;
    const int64_t left = std::max<int64_t>(d.left, 0);
    const int64_t top = std::max<int64_t>(d.top, 0);
    const int64_t right = std::min<int64_t>(d.right, width_);
    const int64_t bottom = std::min<int64_t>(d.bottom, height_);

    if (flags & DDBLT_COLORFILL) {
        if (!fx) return DDERR_INVALIDPARAMS;
        for (int64_t y = top; y < bottom; ++y) {
            uint8_t* row = memory_.get() + y * pitch_;
            for (int64_t x = left; x < right; ++x) {
                uint32_t value = fx->fillColor;
                for (uint32_t b = 0; b < bytesPerPixel_; ++b) {
                    row[x * bytesPerPixel_ + b] = static_cast<uint8_t>(value);
                    value >>= 8;
                }
            }
        }
        Changed();
        return DD_OK;
    }

    if (!src) return DDERR_INVALIDPARAMS;
    if (bytesPerPixel_ != 1 || src->bytesPerPixel_ != 1) return DDERR_INVALIDPIXELFORMAT;
    Rect s = srcRect ? *srcRect : Whole(*src);
    if (!InsideSurface(s, *src)) return DDERR_INVALIDRECT;
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;
    const int64_t dw = static_cast<int64_t>(d.right) - d.left;
    const int64_t dh = static_cast<int64_t>(d.bottom) - d.top;
    const int64_t sw = s.right - s.left;
    const int64_t sh = s.bottom - s.top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return DD_OK;

    SourcePixels from(*src, *this);
    const uint32_t keyLow = src->srcKey_.low;
    const uint32_t keyHigh = src->srcKey_.high;
    // The source column of each destination column, worked out once for all rows.
    const int64_t cols = std::max<int64_t>(right - left, 0);
    std::vector<int32_t> column(static_cast<size_t>(cols));
    for (int64_t x = left; x < right; ++x)
        column[x - left] = static_cast<int32_t>(s.left + (x - d.left) * sw / dw);
    const int32_t* sourceColumn = column.data();
    const bool threeToFour = sw * 4 == dw * 3;
    int64_t lastSy = -1;
    for (int64_t y = top; y < bottom; ++y) {
        const int64_t sy = s.top + (y - d.top) * sh / dh;
        uint8_t* row = memory_.get() + y * pitch_ + left;
        // A plain copy of the source row just expanded repeats the destination row above.
        if (!keyed && sy == lastSy) {
            std::memcpy(row, row - pitch_, static_cast<size_t>(cols));
            continue;
        }
        lastSy = sy;
        const uint8_t* srcRow = from.pixels + sy * from.pitch;
        if (!keyed) {
            StretchRow(row, srcRow, sourceColumn, cols, left - d.left, threeToFour);
            continue;
        }
        for (int64_t x = 0; x < cols; ++x) {
            const uint8_t texel = srcRow[sourceColumn[x]];
            if (texel >= keyLow && texel <= keyHigh) continue;
            row[x] = texel;
        }
    }
    Changed();
    return DD_OK;
}

HResult Surface::BltFast(uint32_t x, uint32_t y, Surface* src, const Rect* srcRect,
                         uint32_t flags) {
    if (HResult fault = TakeFault("BltFast")) return fault;
    if (!src) return DDERR_INVALIDPARAMS;
    if (locked_ || src->locked_) return DDERR_SURFACEBUSY;
    if (bytesPerPixel_ != 1 || src->bytesPerPixel_ != 1) return DDERR_INVALIDPIXELFORMAT;
    Rect s = srcRect ? *srcRect : Whole(*src);
    if (!InsideSurface(s, *src)) return DDERR_INVALIDRECT;
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0;
    if (keyed && !src->hasSrcKey_) return DDERR_NOCOLORKEY;

    // Destination corner and the part of the source rectangle that lands inside this surface.
    const int64_t dx = x;
    const int64_t dy = y;
    const int64_t w = s.right - s.left;
    const int64_t h = s.bottom - s.top;
    const int64_t cols = std::min<int64_t>(w, static_cast<int64_t>(width_) - dx);
    const int64_t rows = std::min<int64_t>(h, static_cast<int64_t>(height_) - dy);
    if (cols <= 0 || rows <= 0) return DD_OK;

    SourcePixels from(*src, *this);
    const uint32_t keyLow = src->srcKey_.low;
    const uint32_t keyHigh = src->srcKey_.high;
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* srcRow = from.pixels + (s.top + r) * from.pitch + s.left;
        uint8_t* row = memory_.get() + (dy + r) * pitch_ + dx;
        if (!keyed) {
            std::memmove(row, srcRow, static_cast<size_t>(cols));
            continue;
        }
        for (int64_t c = 0; c < cols; ++c) {
            const uint8_t texel = srcRow[c];
            if (texel >= keyLow && texel <= keyHigh) continue;
            row[c] = texel;
        }
    }
    Changed();
    return DD_OK;
}

}  // namespace platform
