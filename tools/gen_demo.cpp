// Writes the demo's pictures into <build>/demo: "Palette.bmp", the display palette with a small
// picture of its colours, "Dusk.bmp", the same picture with the palette darkened toward blue for
// the spring court's dusk, "demo.bmp", the sheet the rooms' textures (256 x 256, each stretched
// over a 100-unit face, so that a wall seen from close by still shows its bricks) and the emblem's
// two 128 x 128 frames are cut from, "spring.bmp", the sheet of 64 x 64 animation frames of the
// spring court's decos and sprites (each at least two texels a world unit too), and the cursor
// icons: "arrow1.bmp" to "arrow8.bmp" for the
// screen edges, "cursor0.bmp" to "cursor5.bmp" for the script's cursors.
#include <algorithm>
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

// The sheet: two rows of four surface textures, then a row of the emblem's frames.
constexpr int TileSize = 256;
constexpr int SheetColumns = 4;
constexpr int SheetRows = 2;
constexpr int EmblemSize = 128;
constexpr int EmblemFrames = 2;

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
            for (int b = 0; b < 3; ++b)
                p[index++] = {Channel(r * 51), Channel(g * 51), Channel(b * 127.5)};
    for (int k = 0; index < 255; ++index, ++k)
        p[index] = {Channel(k * 16), Channel(k * 16), Channel(k * 16)};
    p[255] = {255, 255, 255};
    return p;
}

// A small deterministic noise in 0 .. 3.
int Noise(int x, int y) { return ((x * 7919 + y * 104729) ^ (x * y * 31)) >> 3 & 3; }

int Shade(int base, int level) {
    return base + (level < 0 ? 0 : level >= RampSize ? RampSize - 1 : level);
}

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

// Panels: mossy green boards with a frame, four by four.
int Panel(int x, int y) {
    const int px = x % 64, py = y % 64;
    if (px < 3 || py < 3 || px > 60 || py > 60) return Shade(MossBase, 4);
    if (px % 20 == 10) return Shade(MossBase, 8);
    return Shade(MossBase, 12 + Noise(x, y) + (py * 3 / 64));
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
    return ((x / 32 + y / 32) & 1) ? Shade(StoneBase, 18 + Noise(x, y))
                                   : Shade(StoneBase, 7 + Noise(x, y));
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

// The two frames of the emblem that hangs in the green chamber: a ring that glows and dims, with
// a grain that still shows from close by.
int Emblem(int x, int y, int glow) {
    const int dx = x - 64, dy = y - 64;
    const int d2 = dx * dx + dy * dy;
    const int grain = Noise(x, y) - 1;
    if (d2 > 60 * 60) return Shade(WoodBase, 4 + grain);
    if (d2 > 44 * 44) return Shade(BrickBase, (glow ? 21 : 14) + grain);
    if (d2 > 24 * 24) return Shade(WoodBase, (glow ? 19 : 10) + grain);
    return Shade(BrickBase, (glow ? 19 : 8) + grain);
}
int EmblemBright(int x, int y) { return Emblem(x, y, 1); }
int EmblemDim(int x, int y) { return Emblem(x, y, 0); }

int (*const Tiles_[SheetRows][SheetColumns])(int, int) = {
    {Brick, Stone, Panel, Planks},
    {Tiles, Boards, Ceiling, Moss},
};
int (*const Emblems[EmblemFrames])(int, int) = {EmblemBright, EmblemDim};

// The palette at dusk: every colour darkened, blue least.
std::vector<Colour> Dusk(std::vector<Colour> palette) {
    for (Colour& c : palette)
        c = {Channel(c.red * 0.45), Channel(c.green * 0.5), Channel(c.blue * 0.7 + 12)};
    palette[0] = {0, 0, 0};
    return palette;
}

bool WritePalettePicture(const std::string& path, const std::vector<Colour>& palette) {
    // Every entry once, as 16 x 16 swatches over the picture: its surface is also where the
    // texture sheets are read into, so it is as large as the largest sheet.
    constexpr int Width = TileSize * SheetColumns;
    constexpr int Height = TileSize * SheetRows + EmblemSize;
    std::vector<uint8_t> pixels(Width * Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            pixels[y * Width + x] = static_cast<uint8_t>((y * 16 / Height) * 16 + x * 16 / Width);
    return bmpwrite::Write(path, bmpwrite::Encode(Width, Height, pixels, palette));
}

bool WriteSheet(const std::string& path, const std::vector<Colour>& palette) {
    const int width = TileSize * SheetColumns;
    const int height = TileSize * SheetRows + EmblemSize;
    std::vector<uint8_t> pixels(width * height);
    for (int row = 0; row < SheetRows; ++row)
        for (int column = 0; column < SheetColumns; ++column)
            for (int y = 0; y < TileSize; ++y)
                for (int x = 0; x < TileSize; ++x)
                    pixels[(row * TileSize + y) * width + column * TileSize + x] =
                        static_cast<uint8_t>(Tiles_[row][column](x, y));
    for (int frame = 0; frame < EmblemFrames; ++frame)
        for (int y = 0; y < EmblemSize; ++y)
            for (int x = 0; x < EmblemSize; ++x)
                pixels[(SheetRows * TileSize + y) * width + frame * EmblemSize + x] =
                    static_cast<uint8_t>(Emblems[frame](x, y));
    return bmpwrite::Write(path, bmpwrite::Encode(width, height, pixels, palette));
}

// The spring court's frames: 16 columns of 64 x 64 frames in eight rows: the wheel (36 frames,
// rows 0 to 2), the flame (16, row 3), the lantern (36, rows 4 to 6) and the ball (16, row 7).
// Each frame is designed on a grid of 32 x 32 steps and drawn at two texels a step.
constexpr int FrameSize = 64;
constexpr int FrameColumns = 16;
constexpr int FrameRows = 8;
constexpr double FrameScale = FrameSize / 32.0;
constexpr double Pi = 3.14159265358979;

// A texel's centre in steps of the frame's grid.
double Unit(int texel) { return (texel + 0.5) / FrameScale - 0.5; }

// A wooden wheel whose six spokes turn by ten degrees a frame, grained like the walls.
int Wheel(int x, int y, int frame) {
    const double dx = Unit(x) - 15.5, dy = Unit(y) - 15.5;
    const double r = std::sqrt(dx * dx + dy * dy);
    const int grain = Noise(x, y);
    if (r > 15) return Shade(StoneBase, 3 + grain);
    if (r > 13) return Shade(WoodBase, 5 + grain);
    if (r < 3) return Shade(BrickBase, 17 + grain);
    double a = std::atan2(dy, dx) - frame * Pi / 18;
    a = std::fmod(a + 8 * Pi, Pi / 3);
    return (a < 0.22 || a > Pi / 3 - 0.22) ? Shade(WoodBase, 16 + grain)
                                           : Shade(StoneBase, 7 + grain);
}

// A flame that grows and shrinks over its sixteen frames.
int Flame(int x, int y, int frame) {
    const double height = 18 + 10 * std::sin(frame * Pi / 8);
    const double dx = (Unit(x) - 15.5) / 9.0, dy = (31 - Unit(y)) / height;
    const double d = dx * dx / (1.0 - std::min(dy, 0.99)) + dy * dy * 0.3;
    if (dy < 0 || dy > 1 || d > 1) return Shade(StoneBase, 3);
    return d < 0.3 ? 255 : Shade(BrickBase, 23 - static_cast<int>(d * 12));
}

// A lantern of light: a bright core with a ring of sparks going round; texel 0 is clear.
int Lantern(int x, int y, int frame) {
    const double dx = Unit(x) - 15.5, dy = Unit(y) - 15.5;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r < 5) return 255;
    if (r < 8) return Shade(WoodBase, 22);
    const double a = std::atan2(dy, dx) + frame * Pi / 18;
    if (r > 11 && r < 15 && std::fmod(a + 8 * Pi, Pi / 4) < 0.3) return Shade(WoodBase, 20);
    return 0;
}

// A green ball bouncing once over its sixteen frames; texel 0 is clear.
int Ball(int x, int y, int frame) {
    const double lift = 14 * std::fabs(std::sin(frame * Pi / 16));
    const double dx = Unit(x) - 15.5, dy = Unit(y) - (23.5 - lift);
    const double r2 = dx * dx + dy * dy;
    if (r2 > 64) return 0;
    return Shade(MossBase, 22 - static_cast<int>(r2 / 5) - (dx + dy > 4 ? 4 : 0));
}

bool WriteSpringSheet(const std::string& path, const std::vector<Colour>& palette) {
    const int width = FrameSize * FrameColumns;
    const int height = FrameSize * FrameRows;
    std::vector<uint8_t> pixels(width * height);
    struct Strip {
        int (*draw)(int, int, int);
        int frames;
        int firstRow;
    };
    const Strip strips[] = {{Wheel, 36, 0}, {Flame, 16, 3}, {Lantern, 36, 4}, {Ball, 16, 7}};
    for (const Strip& strip : strips)
        for (int f = 0; f < strip.frames; ++f) {
            const int left = (f % FrameColumns) * FrameSize;
            const int top = (strip.firstRow + f / FrameColumns) * FrameSize;
            for (int y = 0; y < FrameSize; ++y)
                for (int x = 0; x < FrameSize; ++x)
                    pixels[(top + y) * width + left + x] =
                        static_cast<uint8_t>(strip.draw(x, y, f));
        }
    return bmpwrite::Write(path, bmpwrite::Encode(width, height, pixels, palette));
}

// Icons of 16 x 16, colour 0 clear. The edge arrows point up, down, left, right, then to the
// top right, bottom right, top left and bottom left, as the cursor's edge zones are numbered.
constexpr int IconSize = 16;
const int ArrowDirections[8][2] = {{0, -1}, {0, 1}, {-1, 0},  {1, 0},
                                   {1, -1}, {1, 1}, {-1, -1}, {-1, 1}};

int Arrow(int x, int y, int dx, int dy) {
    // Distance along the arrow and across it, from the icon's centre.
    const double len = std::sqrt(double(dx * dx + dy * dy));
    const double px = x - 7.5, py = y - 7.5;
    const double along = (px * dx + py * dy) / len, across = std::fabs(px * dy - py * dx) / len;
    if (along > 7 || along < -7) return 0;
    if (along >= 0 && across <= 7 - along) return across > 5.5 - along ? 1 : 255;
    return across < 2 ? 255 : 0;
}

// The script's cursors: a cross, a ring, a dot, a pointer, the marker of a picked thing and the
// pointer's second clicked look.
int Cursor(int x, int y, int n) {
    const int dx = x - 7, dy = y - 7;
    switch (n) {
        case 0: return (dx == 0 || dy == 0) ? 255 : 0;
        case 1: return (dx * dx + dy * dy >= 25 && dx * dx + dy * dy <= 42) ? 255 : 0;
        case 2: return dx * dx + dy * dy <= 9 ? 255 : 0;
        case 4: {
            // The game draws this one with its left edge on the view's left edge, level with the
            // pointer: a rounded wooden tab standing out of that edge, with a bright stud, open
            // at its left end so that it reads as fastened to the edge.
            const double ty = y - 7.5;
            const double round = (x - 8) * (x - 8) + ty * ty;
            const bool inside = ty * ty <= 25 && (x <= 8 || round <= 25);
            if (!inside) return 0;
            if (ty * ty > 16 || (x > 8 && round > 13)) return 1;
            if ((x - 7) * (x - 7) + ty * ty <= 4) return 255;
            return Shade(WoodBase, 22);
        }
        default: {
            // A pointer from the top-left corner; the clicked look is filled with brick colour.
            const bool inside = y >= x && x + y / 2 < 12;
            const bool edge = inside && (y == x || x == 0 || x + y / 2 == 11);
            if (!inside) return 0;
            if (edge) return 1;
            return n == 3 ? 255 : Shade(BrickBase, 22);
        }
    }
}

bool WriteIcons(const std::string& folder, const std::vector<Colour>& palette) {
    std::vector<uint8_t> pixels(IconSize * IconSize);
    for (int a = 0; a < 8; ++a) {
        for (int y = 0; y < IconSize; ++y)
            for (int x = 0; x < IconSize; ++x)
                pixels[y * IconSize + x] =
                    static_cast<uint8_t>(Arrow(x, y, ArrowDirections[a][0], ArrowDirections[a][1]));
        const std::string name = folder + "arrow" + std::to_string(a + 1) + ".bmp";
        if (!bmpwrite::Write(name, bmpwrite::Encode(IconSize, IconSize, pixels, palette)))
            return false;
    }
    for (int c = 0; c < 6; ++c) {
        for (int y = 0; y < IconSize; ++y)
            for (int x = 0; x < IconSize; ++x)
                pixels[y * IconSize + x] = static_cast<uint8_t>(Cursor(x, y, c));
        const std::string name = folder + "cursor" + std::to_string(c) + ".bmp";
        if (!bmpwrite::Write(name, bmpwrite::Encode(IconSize, IconSize, pixels, palette)))
            return false;
    }
    return true;
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
        !WritePalettePicture(folder + "Dusk.bmp", Dusk(palette)) ||
        !WriteSheet(folder + "demo.bmp", palette) ||
        !WriteSpringSheet(folder + "spring.bmp", palette) || !WriteIcons(folder, palette)) {
        std::fprintf(stderr, "gen_demo: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
