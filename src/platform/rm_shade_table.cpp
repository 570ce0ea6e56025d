#include "platform/rm_shade_table.h"

#include <algorithm>
#include <cstring>

#include "platform/rm_palette_map.h"

namespace platform {

void RmShadeTable::Reset(const std::vector<uint32_t>& colours, const RmPaletteMap& map) {
    map_ = &map;
    generation_ = map.Generation();
    colours_ = colours;
    entries_.assign(static_cast<size_t>(LightShadeLevels) * colours.size(), 0);
    filled_.assign(LightShadeLevels, 0);
    readyLo_ = 0, readyHi_ = -1;
}

bool RmShadeTable::MadeFor(const RmPaletteMap& map) const {
    return map_ == &map && generation_ == map.Generation();
}

void RmShadeTable::Prepare(int32_t lo, int32_t hi) {
    lo = lo > 0 ? lo : 0;
    hi = hi < LightShadeLevels - 1 ? hi : LightShadeLevels - 1;
    if (lo >= readyLo_ && hi <= readyHi_) return;
    for (int32_t level = lo; level <= hi; ++level) {
        const void* gap =
            std::memchr(filled_.data() + level, 0, static_cast<size_t>(hi - level + 1));
        if (!gap) break;
        level = static_cast<int32_t>(static_cast<const uint8_t*>(gap) - filled_.data());
        Fill(level);
    }
    // The run of filled rows known, widened by these when they join it or are longer.
    if (lo <= readyHi_ + 1 && hi >= readyLo_ - 1) {
        readyLo_ = std::min(readyLo_, lo);
        readyHi_ = std::max(readyHi_, hi);
    } else if (hi - lo > readyHi_ - readyLo_) {
        readyLo_ = lo;
        readyHi_ = hi;
    }
}

void RmShadeTable::Fill(int32_t level) {
    const float light = float(level) / float(LightShadeLevels - 1);
    const RmPaletteMap::Tables tables = map_->View();
    uint8_t* row = entries_.data() + static_cast<size_t>(level) * colours_.size();
    for (size_t i = 0; i < colours_.size(); ++i) {
        const uint32_t c = colours_[i];
        row[i] = tables.Lookup(LitByte(float((c >> 16) & 0xFF) * light),
                               LitByte(float((c >> 8) & 0xFF) * light),
                               LitByte(float(c & 0xFF) * light));
    }
    filled_[level] = 1;
}

}  // namespace platform
