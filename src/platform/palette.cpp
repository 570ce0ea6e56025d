#include "platform/palette.h"

#include "platform/faults.h"

namespace platform {

Palette::Palette(uint32_t caps, const PaletteEntry* entries) : caps_(caps) {
    if (entries) {
        for (uint32_t i = 0; i < PaletteSize; ++i) entries_[i] = entries[i];
    }
}

HResult Palette::GetEntries(uint32_t, uint32_t start, uint32_t count, PaletteEntry* out) const {
    if (!out || start > PaletteSize || count > PaletteSize - start) return DDERR_INVALIDPARAMS;
    for (uint32_t i = 0; i < count; ++i) out[i] = entries_[start + i];
    return DD_OK;
}

HResult Palette::SetEntries(uint32_t, uint32_t start, uint32_t count, const PaletteEntry* in) {
    if (HResult fault = TakeFault("SetEntries")) return fault;
    if (!in || start > PaletteSize || count > PaletteSize - start) return DDERR_INVALIDPARAMS;
    for (uint32_t i = 0; i < count; ++i) entries_[start + i] = in[i];
    return DD_OK;
}

HResult Palette::GetCaps(uint32_t* caps) const {
    if (!caps) return DDERR_INVALIDPARAMS;
    *caps = caps_;
    return DD_OK;
}

uint8_t Palette::NearestIndex(uint8_t red, uint8_t green, uint8_t blue) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(PaletteSize); ++i) {
        int dr = entries_[i].red - red;
        int dg = entries_[i].green - green;
        int db = entries_[i].blue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace platform
