// Writes the demo's pictures into <build>/demo: "Palette.bmp", the display palette with a small
// picture of its colours, and "demo.bmp", the sheet of 64 x 64 textures the rooms and the emblem are cut from.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bmp_write.h"

namespace {

using bmpwrite::Colour;

// Palette ranges: each texture family has a ramp of 32 entries from dark to light.
constexpr int BrickBase = 16;
constexpr int StoneBase = 48;
constexpr int MossBase = 80;
constexpr int WoodBase = 112;
constexpr int RampSize = 24;
constexpr int ColourCubeBase = 137;  // entries left to the 3D characters' colours

constexpr int TileSize = 64;
constexpr int SheetColumns = 4;
constexpr int SheetRows = 3;

uint8_t Channel(double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

void Ramp(std::vector<Colour>& p, int base, Colour dark, Colour light) {
    for (int i = 0; i < RampSize; ++i) {
        const double t = i / double(RampSize - 1);
        p[base + i] = {Channel(dark.red + t * (light.red - dark.red)),
                       Channel(dark.green + t * (light.green - dark.green)),
                       Channel(dark.blue + t * (light.blue - dark.blue))};
    }
}

std::vector<Colour> Palette() {
    std::vector<Colour> p(256, Colour{0, 0, 0});
    for (int i = 1; i < 16; ++i) p[i] = {Channel(i * 17), Channel(i * 17), Channel(i * 17)};
    Ramp(p, BrickBase, {60, 18, 12}, {210, 110, 80});
    Ramp(p, StoneBase, {30, 36, 52}, {170, 180, 200});
    Ramp(p, MossBase, {16, 40, 18}, {120, 190, 110});
    Ramp(p, WoodBase, {50, 30, 12}, {215, 165, 100});
    // A colour cube of 6 x 6 x 3 for the scene graph, then greys up to white.
    int index = ColourCubeBase;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 3; ++b) p[index++] = {Channel(r * 51), Channel(g * 51), Channel(b * 127.5)};
    for (int k = 0; index < 255; ++index, ++k) p[index] = {Channel(k * 16), Channel(k * 16), Channel(k * 16)};
    p[255] = {255, 255, 255};
    return p;
}

// A small deterministic noise in 0 .. 3.
int Noise(int x, int y) { return ((x * 7919 + y * 104729) ^ (x * y * 31)) >> 3 & 3; }

int Shade(int base, int level) { return base + (level < 0 ? 0 : level >= RampSize ? RampSize - 1 : level); }

// Bricks: staggered courses with dark mortar.
int Brick(int x, int y) {
    const int course = y / 16;
    const int shifted = x + (course & 1) * 16;
    if (y % 16 == 0 || shifted % 32 == 0) return Shade(BrickBase, 3);
    return Shade(BrickBase, 12 + Noise(x, y) * 2 + (course % 3));
}

// Stone blocks: large squares with bevelled edges.
int Stone(int x, int y) {
    const int bx = x % 32, by = y % 32;
    if (bx == 0 || by == 0) return Shade(StoneBase, 2);
    if (bx == 1 || by == 1) return Shade(StoneBase, 20);
    return Shade(StoneBase, 10 + Noise(x, y) * 2 + ((x / 32 + y / 32) & 1) * 2);
}

// Panels: mossy green boards with a frame.
int Panel(int x, int y) {
    if (x < 3 || y < 3 || x > 60 || y > 60) return Shade(MossBase, 4);
    if (x % 20 == 10) return Shade(MossBase, 8);
    return Shade(MossBase, 12 + Noise(x, y) + (y * 3 / 64));
}

// Planks: vertical wood grain.
int Planks(int x, int y) {
    if (x % 16 == 0) return Shade(WoodBase, 2);
    const double grain = std::sin((x % 16) * 0.9 + y * 0.15) * 3.0;
    return Shade(WoodBase, 12 + static_cast<int>(grain) + Noise(x, y));
}

// Floor tiles: a checker of light and dark stone.
int Tiles(int x, int y) {
    if (x % 32 == 0 || y % 32 == 0) return Shade(StoneBase, 1);
    return ((x / 32 + y / 32) & 1) ? Shade(StoneBase, 18 + Noise(x, y)) : Shade(StoneBase, 7 + Noise(x, y));
}

// Wooden floor boards.
int Boards(int x, int y) {
    if (y % 16 == 0) return Shade(WoodBase, 3);
    return Shade(WoodBase, 8 + Noise(x, y) + ((y / 16 + x / 48) & 1) * 3);
}

// The ceiling: plain grey with a grid.
int Ceiling(int x, int y) { return (x % 16 == 0 || y % 16 == 0) ? 5 : 9 + (Noise(x, y) & 1); }

// Grass-like floor of the last room.
int Moss(int x, int y) { return Shade(MossBase, 6 + Noise(x, y) * 3 + ((x ^ y) & 1)); }

// The two frames of the emblem that hangs in the green chamber: a ring that glows and dims.
int Emblem(int x, int y, int glow) {
    const int dx = x - 32, dy = y - 32;
    const int d2 = dx * dx + dy * dy;
    if (d2 > 30 * 30) return Shade(WoodBase, 4);
    if (d2 > 22 * 22) return Shade(BrickBase, glow ? 23 : 14);
    if (d2 > 12 * 12) return Shade(WoodBase, glow ? 20 : 10);
    return Shade(BrickBase, glow ? 20 : 8);
}
int EmblemBright(int x, int y) { return Emblem(x, y, 1); }
int EmblemDim(int x, int y) { return Emblem(x, y, 0); }

int (*const Tiles_[SheetRows][SheetColumns])(int, int) = {
    {Brick, Stone, Panel, Planks},
    {Tiles, Boards, Ceiling, Moss},
    {EmblemBright, EmblemDim, Ceiling, Moss},
};

bool WritePalettePicture(const std::string& path, const std::vector<Colour>& palette) {
    // Every entry once, as 16 x 16 swatches over a screen-sized picture: its surface is also
    // where the texture sheets are read into, so it must be at least as large as any sheet.
    constexpr int Width = 640;
    constexpr int Height = 480;
    std::vector<uint8_t> pixels(Width * Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            pixels[y * Width + x] = static_cast<uint8_t>((y * 16 / Height) * 16 + x * 16 / Width);
    return bmpwrite::Write(path, bmpwrite::Encode(Width, Height, pixels, palette));
}

bool WriteSheet(const std::string& path, const std::vector<Colour>& palette) {
    const int width = TileSize * SheetColumns;
    const int height = TileSize * SheetRows;
    std::vector<uint8_t> pixels(width * height);
    for (int row = 0; row < SheetRows; ++row)
        for (int column = 0; column < SheetColumns; ++column)
            for (int y = 0; y < TileSize; ++y)
                for (int x = 0; x < TileSize; ++x)
                    pixels[(row * TileSize + y) * width + column * TileSize + x] =
                        static_cast<uint8_t>(Tiles_[row][column](x, y));
    return bmpwrite::Write(path, bmpwrite::Encode(width, height, pixels, palette));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_demo <build folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/demo/";
    const std::vector<Colour> palette = Palette();
    if (!WritePalettePicture(folder + "Palette.bmp", palette) ||
        !WriteSheet(folder + "demo.bmp", palette)) {
        std::fprintf(stderr, "gen_demo: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
