#include "render/face_record.h"
#include "render/fill_face_floors.h"
#include "render/fill_face_walls.h"

#include "support/fill_test_frame.h"

using namespace filltest;

namespace {

class FaceFillTest : public FillTest {
protected:
    void UseTexture(int width, int height, uint16_t flags) {
        texture = MakeTexture(width, height, flags);
        const Bitmap* b = texture.bitmap();
        const TextureSource source{b, texture.pixels(), static_cast<uint16_t>(b->height - 1),
                                   static_cast<uint16_t>(b->width - 1)};
        ((flags & 0x0001) != 0 ? WallTexture : FloorTexture) = source;
        face.bitmap = b;
    }

    // A wall facing the eye at depth 8.0 (view normal toward it), texture frame from
    // (-2, top) across to x = 2 and down to y = 4: columns -32..32 and rows -64..64
    // around the centre when the top is -4.
    void FacingWall(int top) {
        face.texOrigin = {Fx(-2), Fx(top), Fx(8)};
        face.texUEnd = {Fx(2), Fx(top), Fx(8)};
        face.texVEnd = {Fx(-2), Fx(4), Fx(8)};
        face.viewNormal = {0.0f, 0.0f, -1.0f};
        for (int j = -40; j <= 40; ++j) {
            SetEdge(Centre + j, -64, 64);
        }
    }

    FaceRecord face{};
    TestBitmap texture;
};

TEST_F(FaceFillTest, WallStretchesTheTextureFrameAndClampsBeyondIt) {
    UseTexture(32, 8, 0x0001);
    FacingWall(-4);
    // Mirror and translucent flags and the offsets change nothing on a face.
    face.flags = 0xC1;
    face.uOffset = 5;
    face.vOffset = 5;
    FillWallColumnsFace(&face);
    ExpectRangeReset();
    ExpectFrame([](int column, int row) {
        const int j = column - Centre;
        const int y = row - Centre;
        if (std::abs(j) > 40 || std::abs(y) > 64) {
            return -1;
        }
        // Columns beyond the frame repeat its edge columns; rows below it repeat the last row.
        return int{Texel(std::clamp(31 * (j + 32) / 64, 0, 31), std::min(7 * (y + 64) / 128, 7))};
    });
}

TEST_F(FaceFillTest, TiledWallRepeatsAtTwoTexelsPerUnit) {
    UseTexture(4, 8, 0x0001);
    FacingWall(-4);
    FillWallColumnsTiledFace(&face);
    ExpectRangeReset();
    // 4.0 across: the 4-texel texture twice, and 8 rows every 4.0 down.
    ExpectFrame([](int column, int row) {
        const int j = column - Centre;
        const int y = row - Centre;
        if (std::abs(j) > 40 || std::abs(y) > 64) {
            return -1;
        }
        return int{Texel(((j + 32) >> 3) & 3, ((y + 64) >> 3) & 7)};
    });
}

TEST_F(FaceFillTest, ColumnsStartingAboveTheOriginAndSinglePixels) {
    UseTexture(4, 8, 0x0001);
    FacingWall(-2);              // the texture frame starts 2.0 below the tops of the columns
    SetEdge(Centre + 41, 7, 7);  // one pixel
    FillWallColumnsFace(&face);
    // The plain path starts such columns at row 0; rows 7 / 6.0 per unit down from there.
    const int frame = 7 * 65536 / 6 / 16;  // 16.16 rows per pixel: 7 rows over 6.0 = 96 pixels
    EXPECT_EQ(At(Centre, Centre - 64), Texel(3 * 32 / 64, 0));
    EXPECT_EQ(At(Centre, Centre), Texel(1, (64 * frame) >> 16));
    EXPECT_EQ(At(Centre + 41, Centre + 7),
              Texel(3, ((7 + 32) * frame) >> 16));  // its own top, 39 pixels below the origin
    EXPECT_EQ(At(Centre + 41, Centre + 6), Sentinel);

    FacingWall(-2);
    FillWallColumnsTiledFace(&face);
    // The tiled path wraps: the top of the column lies 4 texel rows above the origin.
    EXPECT_EQ(At(Centre, Centre - 64), Texel(0, 4));
    EXPECT_EQ(At(Centre, Centre - 32), Texel(0, 0));
}

// A floor face 2.0 below the eye, texture frame from (-2, 16) (texel (0, 0)) across to
// x = 2 and toward the eye to depth 8: rows 16 (depth 16) to 32 (depth 8).
TEST_F(FaceFillTest, FloorStretchesTheTextureFrameAndClampsBeyondIt) {
    UseTexture(16, 16, 0);
    face.texOrigin = {Fx(-2), Fx(2), Fx(16)};
    face.texUEnd = {Fx(2), Fx(2), Fx(16)};
    face.texVEnd = {Fx(-2), Fx(2), Fx(8)};
    TextureTransparent = 1;  // drawn opaque all the same
    SetEdge(Centre + 16, -16, 16);
    SetEdge(Centre + 32, -40, 40);
    SetEdge(Centre + 33, 9, 9);
    FillFloorSpansFace(&face);
    ExpectRangeReset();
    // Depth 16: u = 15 (x + 16) / 32 texels at the ends; depth 8: 15 (x + 32) / 64, clamped.
    auto u = [](int x, int perUnit) {
        return std::clamp(15 * 65536 / perUnit * (x + perUnit / 2), 0, 15 << 16);
    };
    for (int x = -16; x <= 16; ++x) {
        const int step = (u(16, 32) - u(-16, 32)) / 33;
        EXPECT_EQ(At(Centre + x, Centre + 16), Texel((u(-16, 32) + (x + 16) * step) >> 16, 0)) << x;
    }
    EXPECT_EQ(At(Centre - 16, Centre + 16), Texel(0, 0));
    for (int x = -40; x <= 40; ++x) {
        const int step = (u(40, 64) - u(-40, 64)) / 81;
        EXPECT_EQ(At(Centre + x, Centre + 32), Texel((u(-40, 64) + (x + 40) * step) >> 16, 15))
            << x;
    }
    EXPECT_EQ(At(Centre + 9, Centre + 33), Texel(9, 15));  // one pixel, beyond the frame: last row
    EXPECT_EQ(At(Centre + 17, Centre + 16), Sentinel);
}

TEST_F(FaceFillTest, DegenerateFramesAndEmptyRangesDrawNothing) {
    UseTexture(4, 8, 0x0001);
    FillWallColumnsFace(&face);
    ExpectRangeReset();
    FacingWall(-4);
    face.texUEnd = face.texOrigin;  // no u axis
    FillWallColumnsFace(&face);
    ExpectRangeReset();
    FacingWall(-4);
    face.viewNormal = {0.0f, 0.0f, 0.0f};  // every ray parallel to the wall
    FillWallColumnsTiledFace(&face);
    ExpectRangeReset();
    UseTexture(4, 4, 0);
    face.texOrigin = {Fx(-2), Fx(0), Fx(16)};  // level with the eye
    face.texUEnd = {Fx(2), Fx(0), Fx(16)};
    face.texVEnd = {Fx(-2), Fx(0), Fx(8)};
    SetEdge(Centre, -10, 10);  // the centre row has no depth
    FillFloorSpansFace(&face);
    ExpectRangeReset();
    ExpectFrame([](int, int) { return -1; });
}

}  // namespace
