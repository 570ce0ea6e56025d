// The pixels of a texture's colours under a grey light: one row per light level, each entry the
// palette index of a colour scaled by the level, a row filled when first asked for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/limits.h"

namespace platform {

class RmPaletteMap;

// A colour component times a light, 0 .. 255, truncated; 0 for what is not above 0 (NaN too).
inline uint32_t LitByte(float v) {
    return static_cast<uint32_t>(v > 0.0f ? (v < 255.0f ? v : 255.0f) : 0.0f);
}

// The level nearest a light of 0 .. 1 (held in that range).
inline int32_t ShadeLevel(float light) {
    const float l = light > 0.0f ? (light < 1.0f ? light : 1.0f) : 0.0f;
    return static_cast<int32_t>(l * float(LightShadeLevels - 1) + 0.5f);
}

class RmShadeTable {
public:
    // Empties the table for these colours (0xAARRGGBB, at most ShadeColours) and this map.
    void Reset(const std::vector<uint32_t>& colours, const RmPaletteMap& map);
    bool MadeFor(const RmPaletteMap& map) const;
    const uint8_t* Row(int32_t level) {
        if (!filled_[level]) Fill(level);
        return entries_.data() + static_cast<std::size_t>(level) * colours_.size();
    }
    // Fills every row from level `lo` to `hi` (held in 0 .. LightShadeLevels - 1) not yet filled,
    // so that Entries() may be read there directly.
    void Prepare(int32_t lo, int32_t hi);
    // The rows, one after another: a colour's entry at level * Colours() + its number.
    const uint8_t* Entries() const { return entries_.data(); }
    int32_t Colours() const { return static_cast<int32_t>(colours_.size()); }

private:
    void Fill(int32_t level);

    const RmPaletteMap* map_ = nullptr;
    uint64_t generation_ = 0;
    std::vector<uint32_t> colours_;
    std::vector<uint8_t> entries_;        // one a colour, level by level
    std::vector<uint8_t> filled_;         // per level: 1 once its row is filled
    int32_t readyLo_ = 0, readyHi_ = -1;  // a run of levels all filled
};

}  // namespace platform
