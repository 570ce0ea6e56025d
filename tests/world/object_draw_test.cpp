#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/bitmap.h"
#include "render/lighting.h"
#include "render/view.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/frame_animation.h"
#include "world/free_level.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/sprite2d_object.h"
#include "world/texture_table.h"

using namespace testworld;

namespace {

constexpr int Width = 480;
constexpr int Height = 360;
constexpr uint8_t Background = 0xEE;

// A 480 x 360 view of the eye at (0, 10, 0) looking along +z, over two flat textures.
class ObjectDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        saved = {PlayerX, PlayerY, PlayerZ};
        PlayerX = 0;
        PlayerY = Fx(10);
        PlayerZ = 0;
        for (int i = 0; i < 2; ++i) {
            Bitmap* b = NewBitmap(i == 0 ? BitmapColumnMajor : 0, 8, 8);
            std::fill(b->Pixels(), b->Pixels() + 64, static_cast<uint8_t>(40 + i));
            TextureTable[TextureCount++] = b;
        }
        room = AddRoom();
        cube = AddBox(room, -100, -10, 100, 100);
        CloseRoom(room);
        frame.assign(Width * Height, Background);
        InitShadeTable();
        InitRenderViewport(frame.data(), Width, {0, 0, Width - 1, Height - 1});
        SetRenderCamera(PlayerX, PlayerY, PlayerZ, 0, 0, 256);
    }
    void TearDown() override {
        FreeLevel();
        PlayerX = saved.x;
        PlayerY = saved.y;
        PlayerZ = saved.z;
    }

    int Painted(uint8_t value) const {
        return static_cast<int>(std::count(frame.begin(), frame.end(), value));
    }

    FixedVector saved{};
    Room* room = nullptr;
    Cube* cube = nullptr;
    std::vector<uint8_t> frame;
};

}  // namespace

TEST_F(ObjectDrawing, DecosAreOneSidedAndHiddenOnesDrawNothing) {
    DecoObject deco;
    deco.corners[0] = {Fx(-10), Fx(0), Fx(50)};
    deco.corners[1] = {Fx(10), Fx(0), Fx(50)};
    deco.corners[2] = {Fx(10), Fx(20), Fx(50)};
    deco.corners[3] = {Fx(-10), Fx(20), Fx(50)};
    PlaneNormal(deco.corners[0], deco.corners[1], deco.corners[3], deco.normal);
    ASSERT_EQ(deco.normal.z, -65536);  // toward the eye
    deco.animation.count = 1;
    deco.animation.textures[0] = 0;  // a wall texture, drawn column by column
    EXPECT_EQ(deco.Draw(), 1);
    EXPECT_GT(Painted(40), 100);

    frame.assign(frame.size(), Background);
    deco.normal = {0, 0, Fx(1)};  // seen from behind
    EXPECT_EQ(deco.Draw(), 0);
    deco.normal = {0, 0, Fx(-1)};
    deco.animation.state = AnimationHidden;
    EXPECT_EQ(deco.Draw(), 0);
    deco.animation.state = AnimationPlaying;
    deco.animation.textures[0] = 77;  // past the loaded textures
    EXPECT_EQ(deco.Draw(), 0);
    EXPECT_EQ(Painted(Background), Width * Height);
}

TEST_F(ObjectDrawing, SpritesReportWhetherTheyDrew) {
    Sprite2DObject sprite;
    sprite.x = 0;
    sprite.y = 0;
    sprite.z = Fx(40);
    sprite.width = 10;
    sprite.height = 10;
    sprite.animation.count = 1;
    sprite.animation.textures[0] = 1;
    EXPECT_EQ(sprite.Draw(), 0x20);
    EXPECT_GT(Painted(41), 100);
    sprite.z = Fx(-40);  // behind the eye
    EXPECT_EQ(sprite.Draw(), 0);
    sprite.z = Fx(40);
    sprite.animation.state = AnimationHidden;
    EXPECT_EQ(sprite.Draw(), 0);
}

TEST_F(ObjectDrawing, DoorsDrawTheirTexturedFacesTowardTheEye) {
    DoorObject door;
    door.leaf = new Cube;
    const double xs[4] = {-5, -5, 5, 5}, zs[4] = {40, 42, 42, 40};
    for (int k = 0; k < 4; ++k) {
        door.leaf->bottom[k] = AddVertex(xs[k], 0, zs[k]);
        door.leaf->top[k] = AddVertex(xs[k], 8, zs[k]);
    }
    Cube& leaf = *door.leaf;
    for (int k = 0; k < 4; ++k) {
        PlaneNormal(leaf.Top(k + 1), leaf.Top(k), leaf.Bottom(k + 1), leaf.normal[k]);
        leaf.texture[k] = 0;
    }
    PlaneNormal(leaf.Top(0), leaf.Top(1), leaf.Top(3), leaf.normal[CeilingSlot]);
    PlaneNormal(leaf.Bottom(1), leaf.Bottom(0), leaf.Bottom(2), leaf.normal[FloorSlot]);
    leaf.texture[CeilingSlot] = 1;  // the leaf is 8.0 high, below the eye
    leaf.texture[FloorSlot] = OpenFace;
    // Side 3 (z = 40) faces the eye; the ceiling is seen from above.
    EXPECT_EQ(door.Draw(), 0x08 | 0x10);
    EXPECT_GT(Painted(40), 100);
    leaf.texture[3] = OpenFace;
    leaf.texture[CeilingSlot] = 250;  // past the loaded textures
    frame.assign(frame.size(), Background);
    EXPECT_EQ(door.Draw(), 0);
    EXPECT_EQ(Painted(Background), Width * Height);
}
