// Writes the texture sheet of the tests' cube-world level: <build>/testdata/cubeworld.bmp, an
// 8-bit picture of 128 x 64 pixels whose palette doubles as the tests' display palette.
#include <cstdio>
#include <string>
#include <vector>

#include "bmp_write.h"

namespace {

constexpr int SheetWidth = 128;
constexpr int SheetHeight = 64;

struct Region {
    int left, top, width, height;
    int (*texel)(int x, int y);
};

// Walls: a checker of 8-texel blocks over a ramp, never 0.
int Wall(int x, int y) { return 32 + ((x / 8 + y / 8) & 1) * 16 + (x + y) % 16; }
// Floors and ceilings: 4-texel tiles.
int Floor(int x, int y) { return 64 + ((x / 4 + y / 4) & 1) * 16 + x % 4 + 4 * (y % 4); }
// The door: one band per pair of rows.
int Door(int, int y) { return 128 + y / 2; }
// Two deco frames, each one flat colour with a frame of another.
int DecoA(int x, int y) { return (x == 0 || y == 0 || x == 15 || y == 15) ? 200 : 160; }
int DecoB(int x, int y) { return (x == 0 || y == 0 || x == 15 || y == 15) ? 200 : 176; }
// Two sprite frames: a disc (and a smaller one) on transparent texel 0.
int SpriteA(int x, int y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) < 49 ? 224 : 0; }
int SpriteB(int x, int y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) < 16 ? 240 : 0; }

const Region Regions[] = {
    {0, 0, 32, 32, Wall},      {32, 0, 32, 32, Floor}, {64, 0, 16, 32, Door},
    {80, 0, 16, 16, DecoA},    {96, 0, 16, 16, DecoB}, {80, 16, 16, 16, SpriteA},
    {96, 16, 16, 16, SpriteB}, {0, 32, 32, 32, Wall},  {32, 32, 32, 32, Floor},
};

std::vector<bmpwrite::Colour> Palette() {
    std::vector<bmpwrite::Colour> palette(256);
    for (int i = 0; i < 256; ++i) {
        const uint8_t v = static_cast<uint8_t>(i);
        palette[i] = {v, static_cast<uint8_t>((i * 3) & 0xFF), static_cast<uint8_t>(255 - i)};
    }
    palette[0] = {0, 0, 0};
    return palette;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_testlevel <build folder>\n");
        return 2;
    }
    std::vector<uint8_t> pixels(SheetWidth * SheetHeight, 0);
    for (const Region& r : Regions) {
        for (int y = 0; y < r.height; ++y) {
            for (int x = 0; x < r.width; ++x) {
                pixels[(r.top + y) * SheetWidth + r.left + x] = static_cast<uint8_t>(r.texel(x, y));
            }
        }
    }
    const std::string path = std::string(argv[1]) + "/testdata/cubeworld.bmp";
    if (!bmpwrite::Write(path, bmpwrite::Encode(SheetWidth, SheetHeight, pixels, Palette()))) {
        std::fprintf(stderr, "gen_testlevel: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
