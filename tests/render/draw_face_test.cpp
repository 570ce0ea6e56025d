#include <gtest/gtest.h>

#include "render/face.h"
#include "render/polygon.h"
#include "support/draw_frame.h"

using namespace drawtest;

namespace {

// An upright 16 x 16 wall at depth 32 straight ahead, centred on the eye, seen from its
// front: corners top-left, top-right, bottom-right, bottom-left; the texture frame spans it.
FaceRecord FacingWall(const Bitmap* bitmap, uint8_t flags = 0) {
    FaceRecord face{};
    face.corners[0] = {Fx(-8), Fx(8), Fx(32)};
    face.corners[1] = {Fx(8), Fx(8), Fx(32)};
    face.corners[2] = {Fx(8), Fx(-8), Fx(32)};
    face.corners[3] = {Fx(-8), Fx(-8), Fx(32)};
    face.texOrigin = face.corners[0];
    face.texUEnd = face.corners[1];
    face.texVEnd = face.corners[3];
    face.bitmap = bitmap;
    face.flags = flags;
    face.brightness = 128;
    return face;
}

class Faces : public DrawFrame {
protected:
    // A 512-pixel-wide view: 512 pixels per unit of x/z, so that at depth 32 one world unit
    // covers 16 pixels exactly and every float of the wall filler is exact.
    void SetUp() override { Bind(512, 300); }

    OwnedBitmap wallTexture{MakeTexture(16, 16, BitmapColumnMajor)};
};

}  // namespace

TEST_F(Faces, WallAtPowerOfTwoDistanceMapsEveryTexelExactly) {
    FaceRecord face = FacingWall(wallTexture.bitmap);
    DrawFace(&face);
    // The wall covers columns 256 +- 128 and rows 150 +- 128; the texture's 16 columns and rows
    // are stretched over the 256 pixels between the corners, the last at the far edge.
    ExpectFrame([](int column, int row) {
        const int dx = column - 256 + 128;
        const int dy = row - 150 + 128;
        if (dx < 0 || dx > 256 || dy < 0 || dy > 256) {
            return -1;
        }
        return int{Texel((dx * 15) >> 8, (dy * 15) >> 8)};
    });
    EXPECT_EQ(EdgeRangeMin, EdgeRangeEmptyMin);
    EXPECT_EQ(EdgeRangeMax, EdgeRangeEmptyMax);
}

TEST_F(Faces, QuarterTurnGivesTheSamePictureAndLeavesTheRecordInViewSpace) {
    FaceRecord ahead = FacingWall(wallTexture.bitmap);
    DrawFace(&ahead);
    const std::vector<uint8_t> straight = Snapshot();

    // The same wall turned a quarter about the eye, with the camera turned with it.
    Bind(512, 300);
    SetRenderCamera(0, 0, 0, 0x4000, 0, 256);
    FaceRecord turned = FacingWall(wallTexture.bitmap);
    auto turn = [](FixedVector& p) { p = {p.z, p.y, -p.x}; };
    for (FixedVector& p : turned.corners) {
        turn(p);
    }
    turn(turned.texOrigin);
    turn(turned.texUEnd);
    turn(turned.texVEnd);
    DrawFace(&turned);
    EXPECT_EQ(Snapshot(), straight);

    // Texture points in view space (y downward), the view normal over 65536.
    EXPECT_EQ(turned.texOrigin.x, Fx(-8));
    EXPECT_EQ(turned.texOrigin.y, Fx(-8));
    EXPECT_EQ(turned.texOrigin.z, Fx(32));
    EXPECT_EQ(turned.texUEnd.x, Fx(8));
    EXPECT_EQ(turned.texVEnd.y, Fx(8));
    EXPECT_FLOAT_EQ(turned.viewNormal.x, 0.0f);
    EXPECT_FLOAT_EQ(turned.viewNormal.z, -1.0f);
}

TEST_F(Faces, MirrorTranslucentAndOffsetsLeaveAWallUnchanged) {
    FaceRecord plain = FacingWall(wallTexture.bitmap);
    DrawFace(&plain);
    const std::vector<uint8_t> expected = Snapshot();
    for (uint8_t flags : {0x01, 0x40, 0x80, 0xC1}) {
        Bind(512, 300);
        FaceRecord face = FacingWall(wallTexture.bitmap, flags);
        face.uOffset = 3;
        face.vOffset = 5;
        DrawFace(&face);
        EXPECT_EQ(Snapshot(), expected) << "flags " << int{flags};
    }
}

TEST_F(Faces, NothingIsDrawnBehindTheEyeOutsideTheClipOrWithoutATexture) {
    FaceRecord behind = FacingWall(wallTexture.bitmap);
    for (FixedVector& p : behind.corners) {
        p.z = -p.z;
    }
    DrawFace(&behind);

    const RenderRect leftHalf{0, 0, 99, 299};
    SetClipRect(&leftHalf);
    FaceRecord clipped = FacingWall(wallTexture.bitmap);
    DrawFace(&clipped);
    SetClipRect(nullptr);

    FaceRecord none = FacingWall(nullptr);
    DrawFace(&none);
    Bitmap* empty = NewBitmap(BitmapColumnMajor, 0, 16);
    FaceRecord emptyTexture = FacingWall(empty);
    DrawFace(&emptyTexture);
    FreeBitmap(empty);

    EXPECT_EQ(Written(), 0);
    EXPECT_EQ(EdgeRangeMin, EdgeRangeEmptyMin);
    EXPECT_EQ(EdgeRangeMax, EdgeRangeEmptyMax);
}

TEST_F(Faces, LightFollowsBrightnessAndTrianglesTakeTheUprightNormal) {
    FaceRecord bright = FacingWall(wallTexture.bitmap);
    DrawFace(&bright);
    // Within the fade distance the ambient 20.0 is scaled by the brightness.
    EXPECT_EQ(ViewPolygon[0].light, Fx(20));
    FaceRecord dim = FacingWall(wallTexture.bitmap);
    dim.brightness = 64;
    DrawFace(&dim);
    EXPECT_EQ(ViewPolygon[0].light, Fx(10));

    // A level triangle whose first edge runs along x: the normal of the upright plane through
    // that edge, (0, 0, -1) in world space, which the view keeps at heading 0.
    OwnedBitmap floorTexture{MakeTexture(16, 16, 0)};
    FaceRecord triangle{};
    triangle.corners[0] = {Fx(-8), Fx(-4), Fx(16)};
    triangle.corners[1] = {Fx(8), Fx(-4), Fx(16)};
    triangle.corners[2] = {Fx(0), Fx(-4), Fx(24)};
    triangle.corners[3] = triangle.corners[0];
    triangle.texOrigin = triangle.corners[0];
    triangle.texUEnd = triangle.corners[1];
    triangle.texVEnd = {Fx(-8), Fx(-4), Fx(32)};
    triangle.bitmap = floorTexture.bitmap;
    triangle.brightness = 128;
    DrawFace(&triangle);
    EXPECT_EQ(ViewPlaneNormal.x, 0);
    EXPECT_EQ(ViewPlaneNormal.y, 0);
    EXPECT_EQ(ViewPlaneNormal.z, Fx(-1));
    EXPECT_GT(Written(), 0);
}
