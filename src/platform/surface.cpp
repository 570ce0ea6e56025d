#include "platform/surface.h"

#include <cstring>

#include "platform/draw_constants.h"
#include "platform/faults.h"
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

HResult Surface::Restore() { return DD_OK; }

}  // namespace platform
