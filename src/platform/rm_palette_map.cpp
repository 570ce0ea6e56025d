#include "platform/rm_palette_map.h"

namespace platform {

namespace {
constexpr int kCells = 32 * 32 * 32;
}

RmPaletteMap::RmPaletteMap() : nearest_(kCells, 0), cellEntries_(kCells, -1) {}

bool RmPaletteMap::Update(const PaletteEntry* palette) {
    std::array<uint32_t, 256> colours{};
    if (palette) {
        for (int i = 0; i < 256; ++i) {
            colours[i] = (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) |
                         palette[i].blue;
        }
    }
    if (built_ && colours == colours_) return false;
    colours_ = colours;
    Rebuild();
    built_ = true;
    return true;
}

void RmPaletteMap::Rebuild() {
    // Entries lying in each cell, lowest index first.
    std::fill(cellEntries_.begin(), cellEntries_.end(), int16_t(-1));
    for (int i = 255; i >= 0; --i) {
        uint32_t c = colours_[i];
        uint32_t cell = (((c >> 16) >> 3) << 10) | ((((c >> 8) & 0xFF) >> 3) << 5) | ((c & 0xFF) >> 3);
        nextInCell_[i] = cellEntries_[cell];
        cellEntries_[cell] = static_cast<int16_t>(i);
    }
    // Nearest entry to each cell's centre colour, by squared distance, lowest index on ties.
    int pr[256], pg[256], pb[256];
    for (int i = 0; i < 256; ++i) {
        pr[i] = int(colours_[i] >> 16);
        pg[i] = int((colours_[i] >> 8) & 0xFF);
        pb[i] = int(colours_[i] & 0xFF);
    }
    for (int r = 0; r < 32; ++r) {
        int cr = r * 8 + 4;
        for (int g = 0; g < 32; ++g) {
            int cg = g * 8 + 4;
            for (int b = 0; b < 32; ++b) {
                int cb = b * 8 + 4;
                int best = 0, bestD = 1 << 30;
                for (int i = 0; i < 256; ++i) {
                    int dr = pr[i] - cr, dg = pg[i] - cg, db = pb[i] - cb;
                    int d = dr * dr + dg * dg + db * db;
                    if (d < bestD) {
                        bestD = d;
                        best = i;
                    }
                }
                nearest_[(r << 10) | (g << 5) | b] = static_cast<uint8_t>(best);
            }
        }
    }
}

}  // namespace platform
