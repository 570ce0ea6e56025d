#include "platform/rm_shade_table.h"

#include "platform/rm_palette_map.h"

namespace platform {

void RmShadeTable::Reset(const std::vector<uint32_t>& colours, const RmPaletteMap& map) {
    map_ = &map;
    generation_ = map.Generation();
    colours_ = colours;
    entries_.assign(static_cast<size_t>(LightShadeLevels) * colours.size(), 0);
    filled_.assign(LightShadeLevels, 0);
}

bool RmShadeTable::MadeFor(const RmPaletteMap& map) const {
    return map_ == &map && generation_ == map.Generation();
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
