#include "render/fill_wall_columns.h"

#include "support/fill_test_frame.h"

using namespace filltest;

namespace {

// A wall facing the camera at depth 8.0, 4.0 wide and 8.0 high, centred on the view:
// it covers the columns -32..32 and rows -64..64 around the centre.
void SetFacingWall() {
    ViewCorners[0] = {Fx(-2), Fx(-4), Fx(8)};
    ViewCorners[1] = {Fx(2), Fx(-4), Fx(8)};
    ViewCorners[2] = {Fx(2), Fx(4), Fx(8)};
    ViewCorners[3] = {Fx(-2), Fx(4), Fx(8)};
}

void SetWallTexture(TestBitmap& t) {
    const Bitmap* b = t.bitmap();
    WallTexture = {b, t.pixels(), static_cast<uint16_t>(b->height - 1),
                   static_cast<uint16_t>(b->width - 1)};
}

// Texture column and row of the facing wall at view-relative column j and row y:
// the column is where the ray meets the wall across its width, the row rounds to the
// nearest texel down its height (rows below the wall repeat the last one).
int WallColumn(int j, int lastColumn) { return lastColumn * (j + 32) / 64; }
int WallRow(int y, int lastRow) {
    return std::clamp((lastRow * (y + 64) * 512 + 32768) >> 16, 0, lastRow);
}

class WallColumnsTest : public FillTest {
protected:
    // The whole facing wall, columns -32..32, rows -64..64, at light `light`.
    void ScanWholeWall(Fixed16 light = Fx(20)) {
        for (int j = -32; j <= 32; ++j) {
            SetEdge(Centre + j, -64, 64, light, light);
        }
    }
    bool OnWall(int column, int row) {
        return std::abs(column - Centre) <= 32 && std::abs(row - Centre) <= 64;
    }
};

TEST_F(WallColumnsTest, FacingWallShowsTheTextureOnceAndNothingElse) {
    TestBitmap t = MakeTexture(32, 8, 0x0001);
    SetWallTexture(t);
    SetFacingWall();
    ScanWholeWall();
    FillWallColumns();
    ExpectRangeReset();
    ExpectFrame([&](int column, int row) {
        return OnWall(column, row)
                   ? Texel(WallColumn(column - Centre, 31), WallRow(row - Centre, 7))
                   : -1;
    });
}

TEST_F(WallColumnsTest, ColumnsOfOneSixtyFourAndSixtyFivePixels) {
    TestBitmap t = MakeTexture(32, 8, 0x0001);
    SetWallTexture(t);
    SetFacingWall();
    SetEdge(Centre - 3, 10, 10);   // 1 pixel
    SetEdge(Centre - 2, -64, -1);  // 64 pixels
    SetEdge(Centre - 1, -20, 44);  // 65 pixels, running past the wall's foot into clamped rows
    SetEdge(Centre, 0, 64);        // 65 pixels
    FillWallColumns();
    ExpectFrame([&](int column, int row) {
        const int j = column - Centre;
        const int y = row - Centre;
        const bool drawn = (j == -3 && y == 10) || (j == -2 && y >= -64 && y <= -1) ||
                           (j == -1 && y >= -20 && y <= 44) || (j == 0 && y >= 0 && y <= 64);
        return drawn ? Texel(WallColumn(j, 31), WallRow(y, 7)) : -1;
    });
}

TEST_F(WallColumnsTest, OneColumnOrNothingScannedDrawsNothing) {
    TestBitmap t = MakeTexture(32, 8, 0x0001);
    SetWallTexture(t);
    SetFacingWall();
    FillWallColumns();
    ExpectRangeReset();
    SetEdge(Centre, -64, 64);
    FillWallColumns();
    ExpectRangeReset();
    SetEdge(Centre, -64, 64);
    FillWallColumnsTiled();
    ExpectRangeReset();
    ExpectFrame([](int, int) { return -1; });
}

TEST_F(WallColumnsTest, PixelRulesShadeBlendAndLightMap) {
    // Shade row L adds L; the blend table mixes source and destination by xor.
    static uint8_t shade[64 * 256];
    static uint8_t blend[256 * 256];
    for (int level = 0; level < 64; ++level) {
        for (int j = 0; j < 256; ++j) {
            shade[level * 256 + j] = static_cast<uint8_t>(j + level);
        }
    }
    for (int s = 0; s < 256; ++s) {
        for (int d = 0; d < 256; ++d) {
            blend[s * 256 + d] = static_cast<uint8_t>(s ^ d);
        }
    }
    ShadeTable = shade;
    // Texels 0..63 so that the same texture serves as a light map.
    TestBitmap t = MakeTexture(32, 8, 0x0001,
                               [](int u, int v) { return static_cast<uint8_t>((u * 8 + v) & 63); });
    SetWallTexture(t);
    SetFacingWall();
    auto texel = [&](int column, int row) {
        return ((column - Centre + 32) * 31 / 64 * 8 + WallRow(row - Centre, 7)) & 63;
    };
    auto run = [&](Fixed16 light, const std::function<int(int t, int d)>& rule) {
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        ScanWholeWall(light);
        FillWallColumns();
        ExpectFrame([&](int column, int row) {
            return OnWall(column, row) ? rule(texel(column, row), Sentinel) : -1;
        });
    };
    const auto shaded = [](int level) { return [level](int t, int) { return (t + level) & 255; }; };
    run(Fx(5) + 0xFFFF, shaded(5));  // the integer part of the light is the level
    run(Fx(70), shaded(63));         // levels beyond 63 are held at 63
    TextureTransparent = 1;
    run(Fx(5), [](int t, int d) { return t == 0 ? d : t + 5; });
    CurrentFaceFlags = 0x01;  // translucent, but no blend table: drawn opaque
    run(Fx(5), [](int t, int d) { return t == 0 ? d : t + 5; });
    BlendTable = blend;
    run(Fx(5), [](int t, int d) { return t == 0 ? d : ((t + 5) ^ d); });
    TextureTransparent = 0;
    run(Fx(5), [](int t, int d) { return (t + 5) ^ d; });
    TextureLightMap = 1;  // the texel picks the row that remaps the pixel already there
    run(Fx(5), [](int t, int d) { return (d + t) & 255; });
    BlendTable = nullptr;
}

TEST_F(WallColumnsTest, TextureColumnsBeyondTheTextureAreWrappedThenLimited) {
    SetFacingWall();
    // Columns right of the wall continue its mapping past the last texture column.
    for (int j = -32; j < 80; ++j) {
        SetEdge(Centre + j, 0, 0);
    }
    TestBitmap wide =
        MakeTexture(600, 4, 0x0001, [](int u, int) { return static_cast<uint8_t>(u % 233); });
    SetWallTexture(wide);
    WallTexture.lastColumn = 599;
    FillWallColumns();
    // Column 12: 599 * 44 / 64 = 411; column 20: 599 * 52 / 64 = 486; column 24: 524, taken
    // modulo 512 to 12.
    EXPECT_EQ(At(Centre + 12, Centre), 411 % 233);
    EXPECT_EQ(At(Centre + 20, Centre), 486 % 233);
    EXPECT_EQ(At(Centre + 24, Centre), 12);

    TestBitmap narrow =
        MakeTexture(256, 4, 0x0001, [](int u, int) { return static_cast<uint8_t>(u % 233); });
    SetWallTexture(narrow);
    SetFacingWall();
    for (int j = -32; j < 79; ++j) {
        SetEdge(Centre + j, 0, 0);
    }
    FillWallColumns();
    // Column 40: 255 * 72 / 64 = 286, beyond the texture: its last column.
    EXPECT_EQ(At(Centre + 32, Centre), 255 % 233);
    EXPECT_EQ(At(Centre + 40, Centre), 255 % 233);
}

TEST_F(WallColumnsTest, CodedTextureSkipsEmptyColumns) {
    // Two columns of 8 texels: column 0 empty, column 1 three 0s, 7, 9 and three 2s.
    TestBitmap t = MakeCodedTexture(2, 8, 0x0001, {{}, {3, 0, 2, 7, 9, 3, 2}});
    SetWallTexture(t);
    TextureRunLength = 1;
    SetFacingWall();
    ScanWholeWall();
    FillWallColumns();
    const uint8_t column1[8] = {0, 0, 0, 7, 9, 2, 2, 2};
    ExpectFrame([&](int column, int row) {
        const int j = column - Centre;
        if (!OnWall(column, row) || WallColumn(j, 1) == 0) {
            return -1;
        }
        return int{column1[WallRow(row - Centre, 7)]};
    });
}

TEST_F(WallColumnsTest, DegenerateWallsAreSkipped) {
    TestBitmap t = MakeTexture(32, 8, 0x0001);
    SetWallTexture(t);
    // No height: the row step would divide by zero.
    ViewCorners[0] = {Fx(-2), Fx(0), Fx(8)};
    ViewCorners[1] = {Fx(2), Fx(0), Fx(8)};
    ViewCorners[2] = {Fx(2), Fx(0), Fx(8)};
    ViewCorners[3] = {Fx(-2), Fx(0), Fx(8)};
    ScanWholeWall();
    FillWallColumns();
    ExpectRangeReset();
    // All corners at the eye: no depth and no direction.
    for (auto& c : ViewCorners) {
        c = {0, 0, 0};
    }
    ScanWholeWall();
    FillWallColumns();
    ExpectRangeReset();
    ExpectFrame([](int, int) { return -1; });
}

// The tiled filler on the facing wall (4.0 long): two texels per world unit across and
// down, texture row 0 at the wall's top, light stepped per pixel.
class TiledWallTest : public WallColumnsTest {
protected:
    void Fill(int width, int height, int offsetU, int offsetV, uint8_t flags) {
        texture = MakeTexture(width, height, 0x0001);
        SetWallTexture(texture);
        SetFacingWall();
        if ((flags & 0x80) != 0) {
            // Mirrored along the second edge: the bottom edge has become corners 0 and 1.
            std::swap(ViewCorners[0], ViewCorners[3]);
            std::swap(ViewCorners[1], ViewCorners[2]);
        }
        WallLengthUnits = 4;
        TextureOffsetU = static_cast<uint16_t>(offsetU);
        TextureOffsetV = static_cast<uint16_t>(offsetV);
        CurrentFaceFlags = flags;
        for (int j = -32; j <= 32; ++j) {
            SetEdge(Centre + j, -64, 64, Fx(10), Fx(42));
        }
        FillWallColumnsTiled();
        ExpectRangeReset();
    }

    TestBitmap texture;
};

TEST_F(TiledWallTest, RepeatsAcrossAndDownWithOffsets) {
    static uint8_t shade[64 * 256];
    for (int level = 0; level < 64; ++level) {
        for (int j = 0; j < 256; ++j) {
            shade[level * 256 + j] = static_cast<uint8_t>(level < 26 ? j : j + 1);
        }
    }
    ShadeTable = shade;
    struct Case {
        int width, height, offsetU, offsetV;
        uint8_t flags;
    };
    // Power-of-two and other heights, from the top and (mirrored) from the bottom edge.
    for (const Case c : {Case{4, 8, 0, 0, 0}, Case{4, 6, 1, 3, 0}, Case{8, 4, 3, 3, 0x80},
                         Case{8, 6, 0, 5, 0x80}}) {
        SCOPED_TRACE(::testing::Message()
                     << c.width << "x" << c.height << " flags " << int{c.flags});
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        Fill(c.width, c.height, c.offsetU, c.offsetV, c.flags);
        ExpectFrame([&](int column, int row) {
            const int j = column - Centre;
            const int y = row - Centre;
            if (std::abs(j) > 32 || std::abs(y) > 64) {
                return -1;
            }
            // Whole texels from the left edge (the first one is drawn one texel early).
            const int u = (std::max(0, (j + 32) / 8 - 1) + c.offsetU) % c.width;
            // Whole texels down from the top edge, or up from the bottom one.
            const int fromEdge = (c.flags & 0x80) != 0 ? (64 - y) / 8 : (y + 64) / 8;
            const int v = (fromEdge + c.offsetV) % c.height;
            // The light steps from 10.0 at the top toward 42.0 at the bottom: 32.0 over
            // 129 pixels, 63 / 256 of a level per pixel.
            const int level = (10 * 256 + (y + 64) * 63) >> 8;
            return Texel(u, v) + (level < 26 ? 0 : 1);
        });
    }
}

TEST_F(TiledWallTest, TransparentTexelsLeaveThePixel) {
    TextureTransparent = 1;
    Fill(4, 8, 0, 0, 0);
    ExpectFrame([&](int column, int row) {
        const int j = column - Centre;
        const int y = row - Centre;
        if (std::abs(j) > 32 || std::abs(y) > 64) {
            return -1;
        }
        const uint8_t t = Texel(std::max(0, (j + 32) / 8 - 1) % 4, (y + 64) / 8 % 8);
        return t == 0 ? -1 : t;
    });
}

TEST_F(TiledWallTest, StepsOfSeveralTextureHeightsAPixelWrapBothWays) {
    // A 32nd of the projection: each pixel steps 4 texel rows down a texture 3 rows high.
    ProjectionScaleY = Fx(4);
    for (const uint8_t flags : {uint8_t{0}, uint8_t{0x80}}) {
        SCOPED_TRACE(::testing::Message() << "flags " << int{flags});
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        Fill(4, 3, 0, 2, flags);
        ExpectFrame([&](int column, int row) {
            const int j = column - Centre;
            const int y = row - Centre;
            if (std::abs(j) > 32 || std::abs(y) > 64) {
                return -1;
            }
            // Both columns start at a whole number of texture heights: the offset row.
            const int i = y + 64;
            const int v = (flags & 0x80) != 0 ? ((2 - 4 * i) % 3 + 3) % 3 : (2 + 4 * i) % 3;
            return int{Texel(std::max(0, (j + 32) / 8 - 1) % 4, v)};
        });
    }
}

}  // namespace
