#include <gtest/gtest.h>

#include "render/quad.h"
#include "support/draw_frame.h"

using namespace drawtest;

namespace {

// An upright 16 x 16 wall at depth 32 straight ahead, first edge along its top.
QuadRecord Wall(const Bitmap* bitmap, uint8_t flags = 0) {
    return {{{Fx(-8), Fx(8), Fx(32)},
             {Fx(8), Fx(8), Fx(32)},
             {Fx(8), Fx(-8), Fx(32)},
             {Fx(-8), Fx(-8), Fx(32)}},
            bitmap,
            0,
            0,
            flags,
            128};
}

// A level floor 8 below the eye from depth 16 to 48, 32 wide, its corners starting at `first`.
QuadRecord Floor(const Bitmap* bitmap, uint8_t flags, int first = 0) {
    const FixedVector corners[4] = {{Fx(-16), Fx(-8), Fx(48)},
                                    {Fx(16), Fx(-8), Fx(48)},
                                    {Fx(16), Fx(-8), Fx(16)},
                                    {Fx(-16), Fx(-8), Fx(16)}};
    QuadRecord q{{}, bitmap, 0, 0, flags, 128};
    for (int i = 0; i < 4; ++i) {
        q.corners[i] = corners[(first + i) & 3];
    }
    return q;
}

class Quads : public DrawFrame {
protected:
    void SetUp() override { Bind(512, 300); }

    // The texture columns along one screen row (texel / 16 with the test texture).
    std::vector<int> ColumnsAlongRow(int row) {
        std::vector<int> columns;
        for (int c = 0; c < frame_.Width(); ++c) {
            if (At(c, row) != Sentinel) {
                columns.push_back(At(c, row) / 16);
            }
        }
        return columns;
    }

    static bool Ascending(const std::vector<int>& v) {
        for (size_t i = 1; i < v.size(); ++i) {
            if (v[i] < v[i - 1]) {
                return false;
            }
        }
        return true;
    }

    OwnedBitmap columns{MakeTexture(16, 16, BitmapColumnMajor)};
    OwnedBitmap rows{MakeTexture(16, 16, 0)};
};

}  // namespace

TEST_F(Quads, WallFlagsChooseStretchedOrTiledTexture) {
    QuadRecord stretched = Wall(columns.bitmap);
    EXPECT_EQ(DrawTexturedQuad(&stretched) & StatusDrawn, StatusDrawn);
    const std::vector<int> once = ColumnsAlongRow(150);
    ASSERT_FALSE(once.empty());
    EXPECT_TRUE(Ascending(once));
    EXPECT_EQ(once.front(), 0);
    EXPECT_EQ(once.back(), 15);

    // Tiled: two texels per world unit repeat the 16 columns over the 16-unit wall twice.
    Bind(512, 300);
    QuadRecord tiled = Wall(columns.bitmap, FaceWorldAnchored);
    EXPECT_EQ(DrawTexturedQuad(&tiled) & StatusDrawn, StatusDrawn);
    EXPECT_FALSE(Ascending(ColumnsAlongRow(150)));
}

TEST_F(Quads, FloorFlagsChooseStretchedWorldAnchoredOrEdgeAlignedTexture) {
    QuadRecord plain = Floor(rows.bitmap, 0);
    EXPECT_EQ(DrawTexturedQuad(&plain) & StatusDrawn, StatusDrawn);
    EXPECT_GT(Written(), 0);

    // World-anchored: the picture does not depend on which corner comes first.
    auto draw = [this](const QuadRecord& q) {
        Bind(512, 300);
        DrawTexturedQuad(&q);
        return Snapshot();
    };
    const auto anchored = draw(Floor(rows.bitmap, FaceWorldAnchored, 0));
    EXPECT_EQ(draw(Floor(rows.bitmap, FaceWorldAnchored, 1)), anchored);
    // Edge-aligned: the texture follows the first edge, so another first corner moves it.
    const auto aligned = draw(Floor(rows.bitmap, FaceWorldAnchored | FaceAligned, 0));
    EXPECT_NE(aligned, anchored);
    EXPECT_NE(draw(Floor(rows.bitmap, FaceWorldAnchored | FaceAligned, 1)), aligned);
}

TEST_F(Quads, MirrorFlagsExchangeTheViewCorners) {
    QuadRecord plain = Wall(columns.bitmap);
    DrawTexturedQuad(&plain);
    FixedVector c[4];
    std::copy(ViewCorners, ViewCorners + 4, c);
    auto expectCorners = [&](std::initializer_list<int> order, uint8_t flags) {
        int i = 0;
        for (int from : order) {
            EXPECT_EQ(ViewCorners[i].x, c[from].x) << "flags " << int{flags} << " corner " << i;
            EXPECT_EQ(ViewCorners[i].y, c[from].y) << "flags " << int{flags} << " corner " << i;
            ++i;
        }
    };
    for (uint8_t flags : {FaceMirrorFirstEdge, FaceMirrorSecondEdge, uint8_t{0xC0}}) {
        QuadRecord mirrored = Wall(columns.bitmap, flags);
        DrawTexturedQuad(&mirrored);
        if (flags == FaceMirrorFirstEdge) {
            expectCorners({1, 0, 3, 2}, flags);
        } else if (flags == FaceMirrorSecondEdge) {
            expectCorners({3, 2, 1, 0}, flags);
        } else {
            expectCorners({2, 3, 0, 1}, flags);
        }
    }
}

TEST_F(Quads, RecordSetsTheFillerInputs) {
    Bitmap* door = MakeTexture(16, 16, BitmapColumnMajor | BitmapTransparent | BitmapLightMap);
    QuadRecord q{{{Fx(0), Fx(8), Fx(32)},
                  {Fx(10.5), Fx(8), Fx(32)},
                  {Fx(10.5), Fx(0), Fx(32)},
                  {Fx(0), Fx(0), Fx(32)}},
                 door,
                 3,
                 5,
                 0x41,
                 64};
    DrawTexturedQuad(&q);
    EXPECT_EQ(WallLengthUnits, 10);
    EXPECT_EQ(Brightness, 64);
    EXPECT_EQ(TextureOffsetU, 3);
    EXPECT_EQ(TextureOffsetV, 5);
    EXPECT_EQ(CurrentFaceFlags, 0x41);
    EXPECT_EQ(TextureTransparent, 1);
    EXPECT_EQ(TextureLightMap, 1);
    EXPECT_EQ(WallTexture.lastRow, 15);
    // The view normal is the wall's, facing the eye.
    EXPECT_EQ(ViewPlaneNormal.z, Fx(-1));

    // The floor path leaves the light-map switch as the last wall left it.
    QuadRecord floor = Floor(rows.bitmap, 0);
    DrawTexturedQuad(&floor);
    EXPECT_EQ(TextureLightMap, 1);
    EXPECT_EQ(TextureTransparent, 0);
    EXPECT_EQ(FloorTexture.lastColumn, 15);
    FreeBitmap(door);
}

TEST_F(Quads, QuadBehindTheEyeOrWithoutTextureDrawsNothing) {
    QuadRecord behind = Wall(columns.bitmap);
    for (FixedVector& p : behind.corners) {
        p.z = -p.z;
    }
    EXPECT_EQ(DrawTexturedQuad(&behind) & StatusDrawn, 0);
    QuadRecord floorBehind = Floor(rows.bitmap, FaceWorldAnchored);
    for (FixedVector& p : floorBehind.corners) {
        p.z = -p.z;
    }
    EXPECT_EQ(DrawTexturedQuad(&floorBehind) & StatusDrawn, 0);
    QuadRecord none = Wall(nullptr);
    EXPECT_EQ(DrawTexturedQuad(&none), 0);
    EXPECT_EQ(Written(), 0);
    EXPECT_EQ(EdgeRangeMin, EdgeRangeEmptyMin);
    EXPECT_EQ(EdgeRangeMax, EdgeRangeEmptyMax);
}
