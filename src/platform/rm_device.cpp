#include "platform/rm_device.h"

#include <algorithm>

#include "platform/faults.h"

namespace platform {

RmDevice* RmDevice::Create(std::function<RmTarget()> source) {
    if (!source) return nullptr;
    RmTarget t = source();
    if (!t.pixels || t.width <= 0 || t.height <= 0 || t.pitch < t.width) return nullptr;
    return new RmDevice(std::move(source), uint32_t(t.width), uint32_t(t.height));
}

RmDevice::RmDevice(std::function<RmTarget()> source, uint32_t width, uint32_t height)
    : source_(std::move(source)), width_(width), height_(height),
      depth_(size_t(width) * height, 0.0f) {}

HResult RmDevice::SetQuality(uint32_t quality) {
    if (HResult fault = TakeFault("SetQuality")) return fault;
    if ((quality & D3DRMFILL_MASK) != D3DRMFILL_SOLID) return D3DRMERR_BADVALUE;
    quality_ = quality;
    return D3DRM_OK;
}

HResult RmDevice::SetTextureQuality(int32_t quality) {
    if (HResult fault = TakeFault("SetTextureQuality")) return fault;
    return quality == D3DRMTEXTURE_NEAREST ? D3DRM_OK : D3DRMERR_BADVALUE;
}

HResult RmDevice::SetDither(bool dither) {
    if (HResult fault = TakeFault("SetDither")) return fault;
    return dither ? D3DRMERR_BADVALUE : D3DRM_OK;
}

HResult RmDevice::AddUpdateCallback(RmUpdateCallback callback, void* argument) {
    if (HResult fault = TakeFault("AddUpdateCallback")) return fault;
    if (!callback) return D3DRMERR_BADVALUE;
    callbacks_.emplace_back(callback, argument);
    return D3DRM_OK;
}

HResult RmDevice::Update() {
    std::vector<Rect> rects;
    rects.swap(drawn_);
    for (auto& [callback, argument] : callbacks_) {
        callback(this, argument, static_cast<int32_t>(rects.size()), rects.data());
    }
    return D3DRM_OK;
}

bool RmDevice::BeginDrawing(RmTarget& target) {
    target = source_();
    if (!target.pixels || target.width != int32_t(width_) || target.height != int32_t(height_) ||
        target.pitch < target.width) {
        return false;
    }
    paletteMap_.Update(target.palette);
    return true;
}

void RmDevice::ClearDepth(const Rect& rect) {
    const int32_t left = std::max(rect.left, depthDrawn_.left);
    const int32_t right = std::min(rect.right, depthDrawn_.right);
    const int32_t top = std::max(rect.top, depthDrawn_.top);
    const int32_t bottom = std::min(rect.bottom, depthDrawn_.bottom);
    for (int32_t j = top; j < bottom && left < right; ++j)
        std::fill_n(depth_.data() + ptrdiff_t(j) * width_ + left, right - left, 0.0f);
    if (rect.left <= depthDrawn_.left && rect.top <= depthDrawn_.top &&
        rect.right >= depthDrawn_.right && rect.bottom >= depthDrawn_.bottom) {
        depthDrawn_ = Rect{};
    }
}

void RmDevice::AddDrawn(const Rect& rect, uint64_t triangles, uint64_t nanoseconds) {
    triangles_ += triangles;
    renderNanoseconds_ += nanoseconds;
    if (rect.right > rect.left && rect.bottom > rect.top) drawn_.push_back(rect);
}

void RmDevice::AddDepthDrawn(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const bool none =
        depthDrawn_.right <= depthDrawn_.left || depthDrawn_.bottom <= depthDrawn_.top;
    depthDrawn_ = none ? rect : Bounding(depthDrawn_, rect);
}

}  // namespace platform
