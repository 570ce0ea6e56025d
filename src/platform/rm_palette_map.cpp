#include "platform/rm_palette_map.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {
constexpr int PaletteMapCells = 32 * 32 * 32;
uint64_t gBuilds = 0;
}  // namespace

RmPaletteMap::RmPaletteMap() : nearest_(PaletteMapCells, 0), cellEntries_(PaletteMapCells, -1) {}

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
    generation_ = ++gBuilds;
    colourShades_.clear();
    return true;
}

RmShadeTable* RmPaletteMap::ColourShades(float red, float green, float blue) const {
    uint32_t colour = 0;
    for (float component : {red, green, blue}) {
        if (!(component >= 0.0f && component <= 255.0f) || float(int(component)) != component)
            return nullptr;
        colour = (colour << 8) | static_cast<uint32_t>(component);
    }
    RmShadeTable& table = colourShades_[colour];
    if (!table.MadeFor(*this)) table.Reset({colour}, *this);
    return &table;
}

void RmPaletteMap::Rebuild() {
    // Entries lying in each cell, lowest index first.
    std::fill(cellEntries_.begin(), cellEntries_.end(), int16_t(-1));
    for (int i = 255; i >= 0; --i) {
        uint32_t c = colours_[i];
        uint32_t cell =
            (((c >> 16) >> 3) << 10) | ((((c >> 8) & 0xFF) >> 3) << 5) | ((c & 0xFF) >> 3);
        nextInCell_[i] = cellEntries_[cell];
        cellEntries_[cell] = static_cast<int16_t>(i);
    }
    // Nearest entry to each cell's centre colour, by squared distance, lowest index on ties.
    // Cells are taken in blocks of 4 x 4 x 4: only entries that can be nearest to some centre
    // of a block (nearest possible distance within the farthest distance of the best entry)
    // are compared for its cells.
    int pc[256][3];
    for (int i = 0; i < 256; ++i) {
        pc[i][0] = int(colours_[i] >> 16);
        pc[i][1] = int((colours_[i] >> 8) & 0xFF);
        pc[i][2] = int(colours_[i] & 0xFF);
    }
    int candidates[256];
    for (int br = 0; br < 8; ++br) {
        for (int bg = 0; bg < 8; ++bg) {
            for (int bb = 0; bb < 8; ++bb) {
                const int lo[3] = {br * 32 + 4, bg * 32 + 4, bb * 32 + 4};
                int nearD[256], bound = 1 << 30;
                for (int i = 0; i < 256; ++i) {
                    int dNear = 0, dFar = 0;
                    for (int k = 0; k < 3; ++k) {
                        int below = lo[k] - pc[i][k], above = pc[i][k] - (lo[k] + 24);
                        int gap = below > 0 ? below : (above > 0 ? above : 0);
                        int far =
                            std::max(std::abs(pc[i][k] - lo[k]), std::abs(pc[i][k] - lo[k] - 24));
                        dNear += gap * gap;
                        dFar += far * far;
                    }
                    nearD[i] = dNear;
                    bound = std::min(bound, dFar);
                }
                int count = 0;
                for (int i = 0; i < 256; ++i) {
                    if (nearD[i] <= bound) candidates[count++] = i;
                }
                for (int r = br * 4; r < br * 4 + 4; ++r) {
                    for (int g = bg * 4; g < bg * 4 + 4; ++g) {
                        for (int b = bb * 4; b < bb * 4 + 4; ++b) {
                            const int c[3] = {r * 8 + 4, g * 8 + 4, b * 8 + 4};
                            int best = candidates[0], bestD = 1 << 30;
                            for (int n = 0; n < count; ++n) {
                                const int* e = pc[candidates[n]];
                                int d = (e[0] - c[0]) * (e[0] - c[0]) +
                                        (e[1] - c[1]) * (e[1] - c[1]) +
                                        (e[2] - c[2]) * (e[2] - c[2]);
                                if (d < bestD) {
                                    bestD = d;
                                    best = candidates[n];
                                }
                            }
                            nearest_[(r << 10) | (g << 5) | b] = static_cast<uint8_t>(best);
                        }
                    }
                }
            }
        }
    }
}

}  // namespace platform
