// 8-bit palettes: 256 entries of red, green, blue and a flags byte.
#pragma once
#include <array>
#include <cstdint>

#include "platform/limits.h"
#include "platform/result_codes.h"
#include "platform/types.h"

namespace platform {

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

using PaletteEntries = std::array<PaletteEntry, PaletteSize>;

class Palette : public RefCounted {
public:
    Palette(uint32_t caps, const PaletteEntry* entries);

    // Copies `count` entries from `start`; DDERR_INVALIDPARAMS when they run past entry 255.
    HResult GetEntries(uint32_t flags, uint32_t start, uint32_t count, PaletteEntry* out) const;
    HResult SetEntries(uint32_t flags, uint32_t start, uint32_t count, const PaletteEntry* in);
    HResult GetCaps(uint32_t* caps) const;

    const PaletteEntries& Entries() const { return entries_; }

    // The entry whose colour lies nearest (squared distance) to the given one; lowest index wins
    // ties.
    uint8_t NearestIndex(uint8_t red, uint8_t green, uint8_t blue) const;

private:
    uint32_t caps_;
    PaletteEntries entries_{};
};

}  // namespace platform
