// The inverse of an 8-bit palette: the nearest entry for any RGB colour. Colours are looked up
// in a table of 32 x 32 x 32 cells (5 bits a component); a colour that is exactly one of the
// palette's own maps to that entry (the lowest index among equal ones).
#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/rm_shade_table.h"
#include "platform/rm_texture.h"

namespace platform {

class RmPaletteMap {
public:
    RmPaletteMap();

    // Rebuilds the table when the palette's colours differ from those it was built for;
    // null stands for an all-black palette. Returns whether it was rebuilt.
    bool Update(const PaletteEntry* palette);

    // The tables as plain pointers, for loops that look up many colours while writing pixels.
    struct Tables {
        const uint32_t* colours;
        const uint8_t* nearest;
        const int16_t* cellEntries;
        const int16_t* nextInCell;
        uint8_t Lookup(uint32_t red, uint32_t green, uint32_t blue) const {
            uint32_t cell = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
            int16_t e = cellEntries[cell];
            if (e >= 0) {
                uint32_t rgb = (red << 16) | (green << 8) | blue;
                for (; e >= 0; e = nextInCell[e]) {
                    if (colours[e] == rgb) return static_cast<uint8_t>(e);
                }
            }
            return nearest[cell];
        }
    };
    Tables View() const {
        return {colours_.data(), nearest_.data(), cellEntries_.data(), nextInCell_.data()};
    }

    uint8_t Lookup(uint32_t red, uint32_t green, uint32_t blue) const {
        return View().Lookup(red, green, blue);
    }

    // A number no other build of any map has had: tables made from this one are valid while
    // it stays.
    uint64_t Generation() const { return generation_; }

    // The shade table of one colour (components 0 .. 255, whole numbers) for this map; null
    // for any other colour.
    RmShadeTable* ColourShades(float red, float green, float blue) const;

private:
    void Rebuild();

    std::array<uint32_t, 256> colours_{};  // 0x00RRGGBB
    bool built_ = false;
    uint64_t generation_ = 0;
    mutable std::unordered_map<uint32_t, RmShadeTable> colourShades_;  // by 0x00RRGGBB
    std::vector<uint8_t> nearest_;      // per cell: the entry nearest the cell's centre
    std::vector<int16_t> cellEntries_;  // per cell: first entry lying in it, -1 none
    std::array<int16_t, 256> nextInCell_{};
};

}  // namespace platform
