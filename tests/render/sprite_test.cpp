#include "render/sprite.h"

#include <random>

#include "render/view.h"
#include "support/fill_test_frame.h"

using namespace filltest;

namespace {

// Test texels for sprites: above the special texels 0, 1 and 2.
uint8_t SpriteTexel(int u, int v) { return static_cast<uint8_t>(Texel(u, v) + 2); }

// The eye at the origin looking along +z; no lights, so every sprite is at level 0
// unless a test adds light.
class SpriteTest : public FillTest {
protected:
    void SetUp() override {
        FillTest::SetUp();
        CameraX = CameraY = CameraZ = 0;
        CameraYaw = 0;
        CameraYawSin = 0;
        CameraYawCos = 32767;
        ClipLeft = ClipTop = Fx(-80);
        ClipRight = ClipBottom = Fx(79);
        LightCount = 0;
        AmbientLight = 0;
        FadeNear = Fx(1000);
        FadeRange = Fx(1000);
        Brightness = 128;
        // Shade row L adds L to the index.
        for (int level = 0; level < 64; ++level) {
            for (int j = 0; j < 256; ++j) {
                shade[level * 256 + j] = static_cast<uint8_t>(j + level);
            }
        }
        ShadeTable = shade;
    }

    // A sprite standing on world y = -height / 2, so that it is centred on the view's
    // middle row, at depth z.
    static SpriteRecord Standing(int z, int width, int height, uint8_t flags = 0) {
        SpriteRecord s{};
        s.y = -Fx(height) / 2;
        s.z = Fx(z);
        s.width = static_cast<uint8_t>(width);
        s.height = static_cast<uint8_t>(height);
        s.flags = flags;
        return s;
    }

    uint8_t shade[64 * 256];
};

// Nearer than half a unit in view depth nothing is drawn; at exactly half a unit the sprite is.
TEST_F(SpriteTest, TooNearIsRejected) {
    TestBitmap t = MakeTexture(6, 3, 0, SpriteTexel);
    SpriteRecord s = Standing(1, 1, 1);
    s.z = Fx(1) / 4;
    EXPECT_EQ(DrawSprite(&s, t.bitmap(), NoLightOwner), 0x01);
    ExpectFrame([](int, int) { return -1; });

    // The anchor's world depth that the camera puts at view depth 0.5 exactly, on the view's
    // centre: the sprite reaches up from the middle row.
    s.y = 0;
    Fixed16 z = Fx(1) / 2 - 16;
    for (Fixed16 vx = 0, vy = 0, vz = 0;; ++z) {
        CameraTransformPoint(s.x, s.y, z, &vx, &vy, &vz);
        ASSERT_LE(vz, 0x8000);
        if (vz == 0x8000) break;
    }
    s.z = z;
    EXPECT_NE(DrawSprite(&s, t.bitmap(), NoLightOwner) & 0x20, 0);
    Fixed16 vx = 0, vy = 0, vz = 0;
    CameraTransformPoint(s.x, s.y, z - 1, &vx, &vy, &vz);
    ASSERT_LT(vz, 0x8000);
    s.z = z - 1;
    EXPECT_EQ(DrawSprite(&s, t.bitmap(), NoLightOwner), 0x01);
}

TEST_F(SpriteTest, ScalesAndMirrorsItsTexture) {
    // 1.0 x 1.0 at depth 64: 3 x 3 pixels for a 6 x 3 texture.
    TestBitmap t = MakeTexture(6, 3, 0, SpriteTexel);
    for (const uint8_t flags : {0x00, 0x40, 0x80, 0xC0}) {
        SCOPED_TRACE(int{flags});
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        SpriteRecord s = Standing(64, 1, 1, flags);
        EXPECT_EQ(DrawSprite(&s, t.bitmap(), NoLightOwner), 0x20);
        ExpectFrame([&](int column, int row) {
            const int i = column - Centre + 1;
            const int k = row - Centre + 1;
            if (i < 0 || i > 2 || k < 0 || k > 2) {
                return -1;
            }
            return int{SpriteTexel((flags & 0x40) != 0 ? 4 - 2 * i : 2 * i,
                                   (flags & 0x80) != 0 ? 2 - k : k)};
        });
    }
}

TEST_F(SpriteTest, TrimsCutTheRectangleNotTheTexture) {
    // 10 x 10 at depth 80: pixels -8..8 both ways, two texels each of a 34 x 34 texture.
    TestBitmap t = MakeTexture(34, 34, 0, SpriteTexel);
    SpriteRecord s = Standing(80, 10, 10);
    s.trimLeft = 5;
    s.trimBottom = 5;
    DrawSprite(&s, t.bitmap(), NoLightOwner);
    ExpectFrame([&](int column, int row) {
        const int x = column - Centre;
        const int y = row - Centre;
        return x >= 0 && x <= 8 && y >= -8 && y <= 0 ? SpriteTexel(2 * (x + 8), 2 * (y + 8)) : -1;
    });
    // Trims wider than the sprite leave nothing to draw.
    std::fill(buffer.begin(), buffer.end(), Sentinel);
    s.trimLeft = 6;
    s.trimRight = 6;
    DrawSprite(&s, t.bitmap(), NoLightOwner);
    ExpectFrame([](int, int) { return -1; });
}

TEST_F(SpriteTest, PartlyOutsideIsClippedToTheClipRectangle) {
    TestBitmap t = MakeTexture(32, 32, 0, SpriteTexel);
    SpriteRecord s = Standing(4, 8, 2);
    s.x = Fx(3);  // from x -1 to 7 at depth 4: the right edge lies beyond x = z
    ClipRight = Fx(10);
    ClipBottom = Fx(20);
    EXPECT_EQ(DrawSprite(&s, t.bitmap(), NoLightOwner), 0x14 | 0x20);
    // The sprite covers columns -32..224 and rows -32..32 with its 32 x 32 texels; only
    // columns -32..10 and rows -32..20 show.
    const int uStep = (32 << 16) / 257;
    const int vStep = (32 << 16) / 65;
    ExpectFrame([&](int column, int row) {
        const int x = column - Centre;
        const int y = row - Centre;
        return x >= -32 && x <= 10 && y >= -32 && y <= 20
                   ? SpriteTexel(((x + 32) * uStep) >> 16, ((y + 32) * vStep) >> 16)
                   : -1;
    });
    s.x = Fx(12);  // wholly right of the view
    EXPECT_EQ(DrawSprite(&s, t.bitmap(), NoLightOwner) & 0x20, 0);
}

TEST_F(SpriteTest, CodedRowsSpecialTexelsBlendAndStipple) {
    static uint8_t blend[256 * 256];
    for (int i = 0; i < 256 * 256; ++i) {
        blend[i] = static_cast<uint8_t>((i >> 8) ^ (i & 255));
    }
    static const uint32_t masks[32] = {0xAAAAAAAA, 0xFFFFFFFF};
    // 5 x 5 texture at 5 x 5 pixels: row 0 literal, row 1 empty, row 2 with a shadow and
    // a highlight fill run, row 3 literal with texels 1 and 2 inside it, row 4 all 0.
    TestBitmap t = MakeCodedTexture(
        5, 5, 0, {{5, 9, 7, 8, 9, 3}, {}, {1, 0, 1, 1, 1, 2, 2, 9, 4}, {5, 5, 1, 2, 6, 7}, {5, 0}});
    const uint8_t d = Sentinel;
    struct Case {
        uint8_t flags;
        uint8_t* blendTable;
        const uint32_t* stipple;
        std::vector<std::vector<int>> rows;  // -1: untouched
    };
    const int sh = (d + SpriteShadowLevel) & 255;
    const int hi = (d + 63) & 255;
    const std::vector<int> none(5, -1);
    for (const Case& c : {
             Case{0x00,
                  nullptr,
                  nullptr,
                  {{9, 7, 8, 9, 3}, none, {-1, sh, hi, 9, 4}, {5, 1, 2, 6, 7}, none}},
             // Translucent without a blend table is drawn opaque.
             Case{0x20,
                  nullptr,
                  nullptr,
                  {{9, 7, 8, 9, 3}, none, {-1, sh, hi, 9, 4}, {5, 1, 2, 6, 7}, none}},
             Case{0x20,
                  blend,
                  nullptr,
                  {{9 ^ d, 7 ^ d, 8 ^ d, 9 ^ d, 3 ^ d},
                   none,
                   {-1, sh, hi, 9 ^ d, 4 ^ d},
                   {5 ^ d, 1 ^ d, 2 ^ d, 6 ^ d, 7 ^ d},
                   none}},
             // Drawn rows take masks 0, 1, 2...: every other pixel, then all, then none.
             Case{0x20, blend, masks, {{9, -1, 8, -1, 3}, none, {-1, sh, hi, 9, 4}, none, none}},
         }) {
        std::fill(buffer.begin(), buffer.end(), Sentinel);
        BlendTable = c.blendTable;
        StippleMasks = c.stipple;
        SpriteRecord s = Standing(32, 1, 1, c.flags);  // 5 x 5 pixels, -2..2
        DrawSprite(&s, t.bitmap(), NoLightOwner);
        ExpectFrame([&](int column, int row) {
            const int i = column - Centre + 2;
            const int k = row - Centre + 2;
            return i >= 0 && i < 5 && k >= 0 && k < 5 ? c.rows[k][i] : -1;
        });
    }
    BlendTable = nullptr;
    StippleMasks = nullptr;
}

TEST_F(SpriteTest, LightLevelsAndTheOwnersLight) {
    // Uncoded: texel 1 darkens the pixel 16 levels below the sprite's own, never below 0.
    TestBitmap t =
        MakeTexture(2, 1, 0, [](int u, int) { return static_cast<uint8_t>(u == 0 ? 1 : 40); });
    SpriteRecord s = Standing(64, 1, 1);  // 3 x 3 pixels: texels 1, 1 (column 0.67) and 40
    DrawSprite(&s, t.bitmap(), NoLightOwner);
    EXPECT_EQ(At(Centre - 1, Centre), Sentinel);  // level 0: row 0 leaves the pixel
    EXPECT_EQ(At(Centre + 1, Centre), 40);
    AmbientLight = Fx(20);
    DrawSprite(&s, t.bitmap(), NoLightOwner);
    EXPECT_EQ(At(Centre - 1, Centre), (Sentinel + 4) & 255);
    EXPECT_EQ(At(Centre + 1, Centre), 60);

    // A light behind the sprite reaches it only as its owner's light, at full intensity.
    AmbientLight = 0;
    LightTable[0] = {0, 0, Fx(100), Fx(30), 7, 0, -1, 0, 1};
    LightCount = 1;
    DrawSprite(&s, t.bitmap(), 3);
    EXPECT_EQ(At(Centre + 1, Centre), 40);
    DrawSprite(&s, t.bitmap(), 7);
    EXPECT_EQ(At(Centre + 1, Centre), 70);
    LightCount = 0;
}

TEST_F(SpriteTest, RandomSpritesAndClipRectanglesNeverWriteOutsideTheView) {
    // The view inside wide guard bands: a write left of the view lands in the spare columns of
    // the row above, one above or below it in the bands.
    constexpr int Band = 400;
    std::vector<uint8_t> guarded((Height + 2 * Band) * Pitch, Sentinel);
    FrameBuffer = guarded.data() + Band * Pitch;
    ViewLeft = 0;
    ViewTop = 0;
    // Uncoded texels 0 and 1 among the others.
    TestBitmap plain = MakeTexture(7, 5, 0, [](int u, int v) {
        return static_cast<uint8_t>((u + v) % 4 == 0 ? (u + v) % 3 : SpriteTexel(u, v));
    });
    TestBitmap coded = MakeCodedTexture(
        5, 5, 0, {{5, 9, 7, 8, 9, 3}, {}, {1, 0, 1, 1, 1, 2, 2, 9, 4}, {5, 5, 1, 2, 6, 7}, {5, 0}});
    std::mt19937 random(2026);
    auto between = [&](int low, int high) {
        return low + static_cast<int>(random() % (high - low + 1));
    };
    int drawn = 0;
    for (int n = 0; n < 6000; ++n) {
        // Clip rectangles anywhere, also wholly outside the view or inverted; sometimes the full
        // view.
        if (between(0, 7) == 0) {
            SetClipRect(nullptr);
        } else {
            const int left = between(-300, 200);
            const int top = between(-300, 200);
            const RenderRect clip{left, top, left + between(-40, 400), top + between(-40, 400)};
            SetClipRect(&clip);
        }
        SpriteRecord s{};
        s.x = between(-32, 32) * Fx(1) / 4;
        s.y = between(-32, 32) * Fx(1) / 4;
        s.z = between(Fx(1) / 4, Fx(32));
        s.width = static_cast<uint8_t>(between(0, 24));
        s.height = static_cast<uint8_t>(between(0, 24));
        // Half the sprites trimmed, up to the sprite's size each way, so that some trims cross.
        if (between(0, 1) == 0) {
            s.trimLeft = static_cast<uint8_t>(between(0, s.width));
            s.trimRight = static_cast<uint8_t>(between(0, s.width));
            s.trimTop = static_cast<uint8_t>(between(0, s.height));
            s.trimBottom = static_cast<uint8_t>(between(0, s.height));
        }
        s.flags = static_cast<uint8_t>(random() & 0xE0);
        TestBitmap& t = between(0, 1) == 0 ? plain : coded;
        drawn += (DrawSprite(&s, t.bitmap(), NoLightOwner) & 0x20) != 0 ? 1 : 0;
    }
    EXPECT_GT(drawn, 500);
    int faults = 0;
    for (int row = -Band; row < Height + Band && faults < 8; ++row) {
        for (int column = 0; column < Pitch && faults < 8; ++column) {
            const bool inView = row >= 0 && row < Height && column < Width;
            if (!inView && FrameBuffer[row * Pitch + column] != Sentinel) {
                ADD_FAILURE() << "pixel (" << column << ", " << row
                              << ") outside the view was written";
                ++faults;
            }
        }
    }
}

}  // namespace
