#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "platform/limits.h"
#include "platform/rm_device.h"
#include "platform/rm_frame.h"
#include "platform/rm_light.h"
#include "platform/rm_mesh.h"
#include "platform/rm_palette_map.h"
#include "platform/rm_raster_detail.h"
#include "platform/rm_texture.h"
#include "platform/rm_viewport.h"

using namespace platform;

namespace {

constexpr uint8_t UnpaintedIndex = 77;

// An 8-bit target of 640 x 480 with a grey-ramp palette (entry i is grey i) and a camera at the
// origin looking along +z, seen through the top-left 480 x 360 (the game's view rectangle).
struct Scene {
    static constexpr int W = 640, H = 480;
    std::vector<uint8_t> pixels = std::vector<uint8_t>(W * H, UnpaintedIndex);
    std::array<PaletteEntry, 256> palette{};
    RmRef<RmDevice> device;
    RmRef<RmFrame> root = RmAdopt(RmFrame::Create(nullptr));
    RmRef<RmFrame> camera = RmAdopt(RmFrame::Create(root.get()));
    RmRef<RmViewport> viewport;

    explicit Scene(int vx = 0, int vy = 0, int vw = 480, int vh = 360) {
        for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
        device = RmAdopt(RmDevice::Create([this] {
            return RmTarget{pixels.data(), W, W, H, palette.data()};
        }));
        viewport = RmAdopt(RmViewport::Create(device.get(), camera.get(), vx, vy, vw, vh));
    }

    uint8_t At(int x, int y) const { return pixels[y * W + x]; }

    void AddLight(RmLightType type, float level, RmFrame* on = nullptr) {
        auto light = RmAdopt(RmLight::Create(type, level, level, level));
        (on ? on : root.get())->AddLight(light.get());
    }

    // A frame with one quad at depth z spanning x0..x1, y0..y1 (view units), facing the camera
    // (or away with `reversed`), texture coordinates 0..1 from its top-left corner.
    RmRef<RmMeshBuilder> Quad(float x0, float x1, float y0, float y1, float z, RmColor color,
                              bool reversed = false, RmRef<RmFrame>* frameOut = nullptr) {
        auto frame = RmAdopt(RmFrame::Create(root.get()));
        auto builder = RmAdopt(new RmMeshBuilder());
        RmVector v[4] = {{x0, y1, z}, {x1, y1, z}, {x1, y0, z}, {x0, y0, z}};
        RmVector n[1] = {{0, 0, reversed ? 1.0f : -1.0f}};
        std::vector<uint32_t> data = reversed ? std::vector<uint32_t>{4, 3, 0, 2, 0, 1, 0, 0, 0, 0}
                                              : std::vector<uint32_t>{4, 0, 0, 1, 0, 2, 0, 3, 0, 0};
        RmFaceArray* faces = nullptr;
        EXPECT_EQ(builder->AddFaces(v, 4, n, 1, data.data(), data.size(), &faces), D3DRM_OK);
        RmFace* face = nullptr;
        faces->GetElement(0, &face);
        face->SetColor(color);
        face->Release();
        faces->Release();
        const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (uint32_t i = 0; i < 4; ++i) builder->SetTextureCoordinates(i, uv[i][0], uv[i][1]);
        frame->AddVisual(builder.get());
        if (frameOut) *frameOut = frame;
        return builder;
    }
};

RmColor Grey(int level) { return 0xFF000000u | (level << 16) | (level << 8) | level; }

}  // namespace

TEST(RmViewport, ProjectsLikeTheWorldRendererWithTheHorizonShift) {
    Scene s;
    RmVector screen;
    ASSERT_EQ(s.viewport->Transform({0, 0, 10}, &screen), D3DRM_OK);
    EXPECT_FLOAT_EQ(screen.x, 240);
    EXPECT_FLOAT_EQ(screen.y, 180);
    // 480 pixels per unit of x / z both ways (the view spans x / z = -0.5 .. 0.5).
    s.viewport->Transform({1, 0.5f, 10}, &screen);
    EXPECT_FLOAT_EQ(screen.x, 288);
    EXPECT_FLOAT_EQ(screen.y, 156);
    // The horizon band: a plane moved down by h = offset / 480 raises the picture by offset rows.
    for (int offset : {-20, 20}) {
        float h = float(offset) / 480.0f;
        ASSERT_EQ(s.viewport->SetPlane(-0.5f, 0.5f, -0.5f - h, 0.5f - h), D3DRM_OK);
        s.viewport->Transform({0, 0, 10}, &screen);
        EXPECT_NEAR(screen.y, 180 - offset, 1e-3f);
        EXPECT_FLOAT_EQ(screen.x, 240);
    }
    EXPECT_EQ(s.viewport->SetPlane(0.5f, -0.5f, -0.5f, 0.5f), D3DRMERR_BADVALUE);
    EXPECT_EQ(s.viewport->Transform({0, 0, 0.5f}, &screen), D3DRMERR_BADVALUE);
}

TEST(RmRender, NearerFacesWinWhicheverIsDrawnFirstAndBackFacesAreCulled) {
    for (bool nearFirst : {false, true}) {
        Scene s;
        s.AddLight(D3DRMLIGHT_AMBIENT, 1.0f);
        RmRef<RmFrame> nearFrame, farFrame;
        s.Quad(-1, 1, -1, 1, 10, Grey(200), false, &nearFrame);
        s.Quad(-4, 4, -4, 4, 20, Grey(100), false, &farFrame);
        s.viewport->Clear();
        if (nearFirst) {
            s.viewport->Render(nearFrame.get());
            s.viewport->Render(farFrame.get());
        } else {
            s.viewport->Render(farFrame.get());
            s.viewport->Render(nearFrame.get());
        }
        EXPECT_EQ(s.At(240, 180), 200) << nearFirst;
        EXPECT_EQ(s.At(240 - 40, 180 - 40), 200) << nearFirst;  // (-0.833, 0.833) at z 10
        EXPECT_EQ(s.At(240 - 60, 180), 100) << nearFirst;       // only the far quad there
        EXPECT_EQ(s.At(5, 5), 0) << nearFirst;                  // cleared to black
    }

    // Equal depths: the later render wins (less-or-equal); a face turned away draws nothing.
    Scene s;
    s.AddLight(D3DRMLIGHT_AMBIENT, 1.0f);
    RmRef<RmFrame> a, b, back;
    s.Quad(-1, 1, -1, 1, 10, Grey(50), false, &a);
    s.Quad(-1, 1, -1, 1, 10, Grey(60), false, &b);
    s.Quad(-1, 1, -1, 1, 5, Grey(70), true, &back);
    s.viewport->Clear();
    s.viewport->Render(a.get());
    s.viewport->Render(b.get());
    s.viewport->Render(back.get());
    EXPECT_EQ(s.At(240, 180), 60);
    // Seen from behind (camera turned round to face it from the other side), it is drawn.
    s.camera->SetPosition(nullptr, 0, 0, 15);
    s.camera->SetOrientation(nullptr, 0, 0, -1, 0, 1, 0);
    s.viewport->Clear();
    s.viewport->Render(back.get());
    EXPECT_EQ(s.At(240, 180), 70);
}

// Clearing a viewport forgets the depths drawn inside it, and only those: depths drawn outside a
// smaller viewport still hold until a viewport over them is cleared.
TEST(RmRender, ClearingAViewportForgetsTheDepthsDrawnInsideIt) {
    Scene s;
    s.AddLight(D3DRMLIGHT_AMBIENT, 1.0f);
    auto leftHalf = RmAdopt(RmViewport::Create(s.device.get(), s.camera.get(), 0, 0, 240, 360));
    RmRef<RmFrame> nearFrame, farFrame;
    s.Quad(-1, 1, -1, 1, 10, Grey(200), false, &nearFrame);
    s.Quad(-4, 4, -4, 4, 20, Grey(100), false, &farFrame);
    for (bool clearWholeAgain : {false, true}) {
        s.viewport->Clear();
        s.viewport->Render(nearFrame.get());
        leftHalf->Clear();
        if (clearWholeAgain) s.viewport->Clear();
        s.viewport->Render(farFrame.get());
        EXPECT_EQ(s.At(230, 180), 100) << clearWholeAgain;  // the near depth there was cleared
        EXPECT_EQ(s.At(250, 180), clearWholeAgain ? 100 : 200);
    }
}

TEST(RmRender, DirectionalLightBrightensTheFacesItFaces) {
    Scene s;
    s.AddLight(D3DRMLIGHT_AMBIENT, 0.25f);
    auto lightFrame = RmAdopt(RmFrame::Create(s.root.get()));
    s.AddLight(D3DRMLIGHT_DIRECTIONAL, 0.5f, lightFrame.get());
    RmRef<RmFrame> quad;
    s.Quad(-1, 1, -1, 1, 10, Grey(200), false, &quad);

    // Shining along +z, onto the face's front: ambient plus full directional.
    s.viewport->Clear();
    s.viewport->Render(quad.get());
    EXPECT_NEAR(s.At(240, 180), 150, 1);
    // Turned to shine along -z it lights the back: ambient only.
    lightFrame->SetOrientation(nullptr, 0, 0, -1, 0, 1, 0);
    s.viewport->Clear();
    s.viewport->Render(quad.get());
    EXPECT_NEAR(s.At(240, 180), 50, 1);
    // At 60 degrees, half as much.
    lightFrame->SetOrientation(nullptr, 0, std::sqrt(3.0f), 1, 0, 1, 0);
    s.viewport->Clear();
    s.viewport->Render(quad.get());
    EXPECT_NEAR(s.At(240, 180), 100, 1);
    // A shiny material adds its highlight where the light reflects towards the eye.
    lightFrame->SetOrientation(nullptr, 0, 0, 1, 0, 1, 0);
    auto shiny = RmAdopt(new RmMaterial(4.0f));
    shiny->SetSpecular(0.4f, 0.4f, 0.4f);
    RmFace* face = quad->Visuals()[0]->Geometry().faces[0].get();
    face->SetMaterial(shiny.get());
    s.viewport->Clear();
    s.viewport->Render(quad.get());
    EXPECT_NEAR(s.At(240, 180), 150 + 0.4 * 0.5 * 255, 2);
    // With the lights switched off in the quality, faces show their own colour.
    ASSERT_EQ(s.device->SetQuality(D3DRMSHADE_GOURAUD | D3DRMLIGHT_OFF | D3DRMFILL_SOLID),
              D3DRM_OK);
    s.viewport->Clear();
    s.viewport->Render(quad.get());
    EXPECT_EQ(s.At(240, 180), 200);
}

TEST(RmRender, TexelsLandInPlaceAndPureGreenIsNotDrawn) {
    Scene s;
    s.palette[1] = {0, 255, 0, 0};
    s.palette[2] = {255, 0, 0, 0};
    s.palette[3] = {0, 0, 255, 0};
    s.AddLight(D3DRMLIGHT_AMBIENT, 1.0f);
    // 2 x 2 checker: grey 10, red / blue, green (transparent when decal).
    std::array<PaletteEntry, 4> imagePalette{
        {{10, 10, 10, 1}, {255, 0, 0, 1}, {0, 0, 255, 1}, {0, 255, 0, 1}}};
    uint8_t texels[2 * 4] = {0, 1, 0, 0, 2, 3, 0, 0};  // rows padded to 4 bytes
    RmImage image;
    image.width = 2, image.height = 2, image.bytesPerLine = 4, image.buffer1 = texels;
    image.paletteSize = 4, image.palette = imagePalette.data();
    RmTexture* rawTexture = nullptr;
    ASSERT_EQ(RmTexture::CreateFromImage(image, &rawTexture), D3DRM_OK);
    auto texture = RmAdopt(rawTexture);

    RmRef<RmFrame> frame;
    // x -0.5 .. 0.5, y -0.25 .. 0.25 at depth 2: columns 120..359, rows 120..239.
    auto quad = s.Quad(-0.5f, 0.5f, -0.25f, 0.25f, 2, Grey(255), false, &frame);
    quad->SetTexture(texture.get());
    s.viewport->Clear();
    s.viewport->Render(frame.get());
    EXPECT_EQ(s.At(120, 120), 10);
    EXPECT_EQ(s.At(359, 120), 2);
    EXPECT_EQ(s.At(120, 239), 3);
    EXPECT_EQ(s.At(359, 239), 1);
    EXPECT_EQ(s.At(238, 178), 10);
    EXPECT_EQ(s.At(241, 181), 1);
    EXPECT_EQ(s.At(119, 120), 0);
    EXPECT_EQ(s.At(360, 120), 0);
    EXPECT_EQ(s.At(120, 119), 0);
    EXPECT_EQ(s.At(120, 240), 0);

    texture->SetDecalTransparency(true);
    texture->SetDecalTransparentColor(RmCreateColorRGB(0, 1, 0));
    s.viewport->Clear();
    RmRef<RmFrame> behind;
    s.Quad(-2, 2, -2, 2, 4, Grey(99), false, &behind);
    s.viewport->Render(frame.get());
    s.viewport->Render(behind.get());
    EXPECT_EQ(s.At(359, 239), 99);  // green: the far face shows through
    EXPECT_EQ(s.At(120, 120), 10);
    EXPECT_EQ(s.At(359, 120), 2);
}

TEST(RmRender, DrawsOnlyInsideTheViewportAndReportsWhatItDrew) {
    Scene s(100, 50, 200, 100);
    s.AddLight(D3DRMLIGHT_AMBIENT, 1.0f);
    RmRef<RmFrame> big;
    s.Quad(-50, 50, -50, 50, 3, Grey(180), false, &big);  // far larger than the view
    std::vector<Rect> seen;
    int calls = 0;
    struct Sink {
        std::vector<Rect>* seen;
        int* calls;
    } sink{&seen, &calls};
    s.device->AddUpdateCallback(
        [](RmDevice*, void* arg, int32_t count, const Rect* rects) {
            auto* k = static_cast<Sink*>(arg);
            ++*k->calls;
            k->seen->assign(rects, rects + count);
        },
        &sink);
    s.viewport->Render(big.get());
    for (int y = 0; y < Scene::H; ++y) {
        for (int x = 0; x < Scene::W; ++x) {
            bool inside = x >= 100 && x < 300 && y >= 50 && y < 150;
            ASSERT_EQ(s.At(x, y), inside ? 180 : UnpaintedIndex) << x << "," << y;
        }
    }
    s.device->Update();
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].left, 100);
    EXPECT_EQ(seen[0].top, 50);
    EXPECT_EQ(seen[0].right, 300);
    EXPECT_EQ(seen[0].bottom, 150);
    EXPECT_EQ(s.device->TrianglesDrawn(), 2u);
    s.device->Update();
    EXPECT_TRUE(seen.empty());

    // A face that crosses the front distance is cut there, not dropped or wrapped.
    s.viewport->Clear();
    auto frame = RmAdopt(RmFrame::Create(s.root.get()));
    auto floor = RmAdopt(new RmMeshBuilder());
    RmVector v[4] = {{-1, -1, -5}, {1, -1, -5}, {1, -1, 50}, {-1, -1, 50}};
    RmVector n[1] = {{0, 1, 0}};
    uint32_t data[] = {4, 3, 0, 2, 0, 1, 0, 0, 0, 0};
    ASSERT_EQ(floor->AddFaces(v, 4, n, 1, data, 10, nullptr), D3DRM_OK);
    frame->AddVisual(floor.get());
    s.viewport->Render(frame.get());
    EXPECT_EQ(s.At(200, 149), 255);  // the (white) floor near the camera fills the bottom row
    EXPECT_EQ(s.At(200, 52), 0);     // above the horizon: nothing
}

TEST(RmPaletteMap, PaletteColoursMapExactlyAndOthersToTheNearest) {
    std::array<PaletteEntry, 256> pal{};
    for (int i = 0; i < 256; ++i) {
        pal[i] = {uint8_t((i * 37) & 0xFF), uint8_t((i * 101 + 7) & 0xFF), uint8_t((i * 13) ^ 0x55),
                  0};
    }
    pal[200] = pal[100];    // a duplicate: the lower index wins
    pal[5] = {8, 8, 8, 0};  // two entries in one table cell
    pal[6] = {9, 9, 9, 0};
    RmPaletteMap map;
    EXPECT_TRUE(map.Update(pal.data()));
    EXPECT_FALSE(map.Update(pal.data()));
    for (int i = 0; i < 256; ++i) {
        int want = i == 200 ? 100 : i;
        ASSERT_EQ(map.Lookup(pal[i].red, pal[i].green, pal[i].blue), want) << i;
    }
    // Any other colour: the entry nearest the centre of its table cell, as a full search finds.
    std::mt19937 random(5);
    for (int trial = 0; trial < 2; ++trial) {
        for (auto& e : pal) e = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
        if (trial == 1) {
            for (int i = 0; i < 256; ++i)
                pal[i] = {uint8_t(i & 0xE0), uint8_t(i & 0xE0), uint8_t(i << 3), 0};
        }
        map.Update(pal.data());
        for (int cell = 0; cell < 32768; ++cell) {
            int r = (cell >> 10) * 8 + 4, g = ((cell >> 5) & 31) * 8 + 4, b = (cell & 31) * 8 + 4;
            int best = 0, bestD = 1 << 30;
            for (int i = 0; i < 256; ++i) {
                int d = (pal[i].red - r) * (pal[i].red - r) +
                        (pal[i].green - g) * (pal[i].green - g) +
                        (pal[i].blue - b) * (pal[i].blue - b);
                if (d < bestD) bestD = d, best = i;
            }
            ASSERT_EQ(map.Lookup(r, g, b), best) << "trial " << trial << " cell " << cell;
        }
    }
    // Not a palette colour: the entry nearest its cell.
    std::array<PaletteEntry, 256> two{};
    two[0] = {0, 0, 0, 0};
    for (int i = 1; i < 256; ++i) two[i] = {255, 255, 255, 0};
    EXPECT_TRUE(map.Update(two.data()));
    EXPECT_EQ(map.Lookup(40, 40, 40), 0);
    EXPECT_EQ(map.Lookup(200, 210, 220), 1);
}

TEST(RmMeshBuilder, BadFaceDataKeepsTheGoodFacesAndIsReported) {
    auto builder = RmAdopt(new RmMeshBuilder());
    RmVector v[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    RmVector n[1] = {{0, 0, -1}};
    uint32_t data[] = {3, 0, 0, 1, 0, 2, 0, 3, 0, 0, 1, 0, 9, 0, 0};  // vertex 9 does not exist
    RmFaceArray* faces = nullptr;
    EXPECT_EQ(builder->AddFaces(v, 3, n, 1, data, std::size(data), &faces), D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->GetFaceCount(), 1u);
    EXPECT_EQ(faces->GetSize(), 1u);
    RmFace* face = nullptr;
    EXPECT_EQ(faces->GetElement(1, &face), D3DRMERR_BADVALUE);
    faces->Release();
    // Data that ends in the middle of a face, and a two-cornered face, are refused too.
    uint32_t cut[] = {3, 0, 0, 1, 0};
    EXPECT_EQ(builder->AddFaces(v, 3, n, 1, cut, std::size(cut), nullptr), D3DRMERR_BADVALUE);
    uint32_t two[] = {2, 0, 0, 1, 0, 0};
    EXPECT_EQ(builder->AddFaces(v, 3, n, 1, two, std::size(two), nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->GetFaceCount(), 1u);
    EXPECT_EQ(builder->SetTextureCoordinates(9, 0, 0), D3DRMERR_BADVALUE);
}

TEST(RmTexture, LoadsPpmFilesByGameNameAndReportsMissingOnes) {
    auto dir = std::filesystem::temp_directory_path() /
               ("dusk_rm_texture_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto path = dir / "Checker.ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const unsigned char body[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    std::fprintf(f, "P6\n2 2\n255\n");
    std::fwrite(body, 1, sizeof body, f);
    std::fclose(f);

    RmTexture* raw = nullptr;
    ASSERT_EQ(RmTexture::Load((dir / "CHECKER.PPM").string(), &raw), D3DRM_OK);
    auto texture = RmAdopt(raw);
    ASSERT_EQ(texture->Width(), 2);
    ASSERT_EQ(texture->Height(), 2);
    EXPECT_EQ(texture->Texels()[0], 0xFFFF0000u);
    EXPECT_EQ(texture->Texels()[3], 0xFF0A141Eu);
    texture->SetDecalTransparency(true);
    texture->SetDecalTransparentColor(RmCreateColorRGB(0, 1, 0));
    EXPECT_EQ(texture->Texels()[1] >> 24, 0u);

    EXPECT_EQ(RmTexture::Load((dir / "missing.ppm").string(), &raw), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(raw, nullptr);
    auto junk = dir / "junk.ppm";
    f = std::fopen(junk.c_str(), "wb");
    std::fputs("not a picture", f);
    std::fclose(f);
    EXPECT_EQ(RmTexture::Load(junk.string(), &raw), D3DRMERR_BADFILE);
    std::filesystem::remove_all(dir);
}

// What two settings of the rasterizer make of the same 3000 triangles of a character's size at
// many depths and angles, textured or of one colour, each lit by `light` at its corners: the
// pixels drawn and those that differ.
struct SettingsCompared {
    uint64_t drawn = 0, differing = 0;
};
using Setting = void (*)(RmRasterTarget&);
template <typename Light>
SettingsCompared CompareSettings(Setting first, Setting second, Light light, bool textured = true) {
    constexpr int W = 480, H = 360;
    std::array<PaletteEntry, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    RmPaletteMap map;
    map.Update(palette.data());
    // 5 x 3 texels of distinct colours: neither side a power of two.
    std::vector<uint8_t> texels(5 * 3);
    std::array<PaletteEntry, 15> imagePalette{};
    for (int i = 0; i < 15; ++i) {
        texels[i] = uint8_t(i);
        imagePalette[i] = palette[i * 17 + 3];
        imagePalette[i].flags = 1;
    }
    RmImage image;
    image.width = 5, image.height = 3, image.bytesPerLine = 5, image.buffer1 = texels.data();
    image.paletteSize = 15, image.palette = imagePalette.data();
    RmTexture* rawTexture = nullptr;
    EXPECT_EQ(RmTexture::CreateFromImage(image, &rawTexture), D3DRM_OK);
    auto texture = RmAdopt(rawTexture);

    std::vector<uint8_t> pixels[2] = {std::vector<uint8_t>(W * H), std::vector<uint8_t>(W * H)};
    std::vector<float> depths[2] = {std::vector<float>(W * H), std::vector<float>(W * H)};
    RmRasterTarget target;
    target.pitch = W;
    target.depthPitch = W;
    target.clip = {0, 0, W, H};
    target.palette = &map;
    RmRasterFace face;
    face.texture = textured ? texture.get() : nullptr;
    face.red = 200.0f, face.green = 120.0f, face.blue = 40.0f;
    std::mt19937 random(11);
    auto uniform = [&random](float lo, float hi) {
        return lo + (hi - lo) * float(random() % 10000) / 10000.0f;
    };
    SettingsCompared result;
    for (int n = 0; n < 3000; ++n) {
        // Up to 80 pixels across, its far corner up to half as deep again as its near one, the
        // texture repeated up to twice across it.
        const float x = uniform(0.0f, W), y = uniform(0.0f, H), z = uniform(1.0f, 30.0f);
        const float u = uniform(-4.0f, 4.0f), w = uniform(-4.0f, 4.0f);
        RmRasterVertex v[3];
        for (RmRasterVertex& p : v) {
            const float depth = z * uniform(1.0f, 1.5f);
            p.x = x + uniform(-40.0f, 40.0f);
            p.y = y + uniform(-40.0f, 40.0f);
            p.invZ = 1.0f / depth;
            p.uOverZ = (u + uniform(0.0f, 2.0f)) / depth;
            p.vOverZ = (w + uniform(0.0f, 2.0f)) / depth;
            light(p, uniform(0.0f, 1.0f));
        }
        for (int k = 0; k < 2; ++k) {
            std::fill(depths[k].begin(), depths[k].end(), 0.0f);
            std::fill(pixels[k].begin(), pixels[k].end(), uint8_t{0});
            target.pixels = pixels[k].data();
            target.depth = depths[k].data();
            k == 0 ? first(target) : second(target);
            RmRasterStats stats;
            RmRasterTriangle(target, face, v[0], v[1], v[2], stats);
        }
        for (int i = 0; i < W * H; ++i) {
            result.drawn += depths[0][i] != 0.0f;
            result.differing += pixels[0][i] != pixels[1][i];
        }
    }
    return result;
}

// The texture is divided for perspective once a span of pixels and stepped linearly in
// between: against a division at every pixel, under 1% of the pixels differ.
TEST(RmRaster, SpansOfPixelsKeepTheTexelsOfExactPerspective) {
    const SettingsCompared compared =
        CompareSettings([](RmRasterTarget& t) { t.spanPixels = 1; },
                        [](RmRasterTarget& t) { t.spanPixels = RasterSpanPixels; },
                        [](RmRasterVertex& p, float) { p.red = p.green = p.blue = 1.0f; });
    ASSERT_GT(compared.drawn, 1000000u);
    EXPECT_LT(compared.differing * 100, compared.drawn)
        << compared.differing << " of " << compared.drawn;
}

// Under a grey light the pixels of texels and of one-coloured faces come from shade tables of a
// few thousand light levels: against lighting each pixel exactly, one pixel in 400 at most
// differs (a colour component a step brighter or darker that crosses to another palette entry).
TEST(RmRaster, ShadeTablesKeepThePixelsOfExactLight) {
    for (bool textured : {true, false}) {
        const SettingsCompared compared = CompareSettings(
            [](RmRasterTarget& t) { t.shadeTables = false; },
            [](RmRasterTarget& t) { t.shadeTables = true; },
            [](RmRasterVertex& p, float level) { p.red = p.green = p.blue = level; }, textured);
        ASSERT_GT(compared.drawn, 1000000u);
        EXPECT_LT(compared.differing * 400, compared.drawn)
            << compared.differing << " of " << compared.drawn
            << (textured ? " textured" : " one colour");
    }
}

// Faces lit through shade tables are drawn several rows at a time, in lanes of plain C++ or in
// vector registers with the widest instruction set the machine has. Each way draws the very
// pixels, depths and bounds of drawing a row at a time: 4000 triangles into one frame, so that
// they hide one another, some with a flat top or bottom, of textures with sides of powers of two
// or not (either side alone), taller than the rows' texel walk takes, with texels not drawn, or of
// one colour, under lights that run past dark and full or take levels with one between them
// last, cut by the clip rectangle, spans of 8, 1 and 3 pixels, texels stepped by less or more
// than the texture's side a pixel.
TEST(RmRaster, EveryInstructionSetDrawsThePixelsOfARowAtATime) {
    constexpr int W = 480, H = 360;
    std::array<PaletteEntry, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    auto texture = [&palette](int width, int height, int colours, bool decal) {
        std::vector<uint8_t> texels(width * height);
        std::array<PaletteEntry, 256> imagePalette{};
        for (int i = 0; i < width * height; ++i) texels[i] = uint8_t((i * 7 + i / width) % colours);
        for (int i = 0; i < colours; ++i) imagePalette[i] = palette[i * 37 % 256];
        RmImage image;
        image.width = width, image.height = height, image.bytesPerLine = width;
        image.buffer1 = texels.data(), image.paletteSize = colours;
        image.palette = imagePalette.data();
        RmTexture* raw = nullptr;
        EXPECT_EQ(RmTexture::CreateFromImage(image, &raw), D3DRM_OK);
        if (decal) {
            const PaletteEntry& hidden = imagePalette[2];
            raw->SetDecalTransparency(true);
            raw->SetDecalTransparentColor(
                RmCreateColorRGB(hidden.red / 255.0f, hidden.green / 255.0f, hidden.blue / 255.0f));
        }
        return RmAdopt(raw);
    };
    const RmRef<RmTexture> textures[] = {
        texture(16, 8, 6, true),     texture(5, 3, 15, false),
        texture(64, 64, 200, false), texture(8, 5, 9, false),
        texture(6, 4, 9, false),     texture(2, RasterRowsTextureSide + 3000, 7, false)};
    ASSERT_NE(textures[0]->HiddenShade(), ShadeColours);

    struct Frame {
        std::vector<uint8_t> pixels = std::vector<uint8_t>(W * H, 0);
        std::vector<float> depths = std::vector<float>(W * H, 0.0f);
        std::vector<uint64_t> drawn;
        std::vector<Rect> bounds;
    };
    auto draw = [&](RmRasterIsa isa) {
        // A map of its own, so that each draw starts with empty shade tables.
        RmPaletteMap map;
        map.Update(palette.data());
        Frame frame;
        RmRasterTarget target;
        target.pixels = frame.pixels.data(), target.pitch = W;
        target.depth = frame.depths.data(), target.depthPitch = W;
        target.palette = &map;
        target.isa = isa;
        std::mt19937 random(23);
        auto uniform = [&random](float lo, float hi) {
            return lo + (hi - lo) * float(random() % 10000) / 10000.0f;
        };
        for (int n = 0; n < 4000; ++n) {
            const int span[] = {8, 8, 1, 3};
            target.spanPixels = span[n % 4];
            target.clip = {0, 0, W, H};
            if (n % 3 == 0) target.clip = {40, 30, W - 50, H - 20};
            RmRasterFace face;
            face.texture = n % 7 < 6 ? textures[n % 7].get() : nullptr;
            face.red = 200.0f, face.green = 120.0f, face.blue = 40.0f;
            const float size = n % 7 == 0 ? 160.0f : 30.0f;
            const float x = uniform(0.0f, W), y = uniform(0.0f, H), z = uniform(1.0f, 30.0f);
            const float reach = n % 9 == 4 ? 3000.0f : n % 9 == 7 ? 1e12f : 4.0f;
            RmRasterVertex v[3];
            for (RmRasterVertex& p : v) {
                const float depth = z * uniform(1.0f, 3.0f);
                p.x = x + uniform(-size, size), p.y = y + uniform(-size, size);
                p.invZ = 1.0f / depth;
                p.uOverZ = uniform(-reach, reach) / depth;
                p.vOverZ = uniform(-reach, reach) / depth;
                p.red = p.green = p.blue = uniform(-0.3f, 1.3f);
            }
            if (n % 10 < 2) {  // a flat top, or bottom, on a row every other time
                v[1].y = n % 20 < 10 ? std::floor(v[0].y) : v[0].y;
                v[0].y = v[1].y;
                v[2].y = v[0].y + (n % 10 == 0 ? 1.0f : -1.0f) * uniform(1.0f, 2.0f * size);
            }
            if (n < 5) {  // in front, one colour at light levels a level apart, those between last
                const float levels[] = {3000, 3002, 2998, 3001, 2999};
                face.texture = nullptr;
                for (RmRasterVertex& p : v) {
                    p.invZ = 2.0f;
                    p.red = p.green = p.blue = (levels[n] + 0.2f) / float(LightShadeLevels - 1);
                }
            }
            RmRasterStats stats;
            RmRasterTriangle(target, face, v[0], v[1], v[2], stats);
            frame.drawn.push_back(stats.pixels);
            frame.bounds.push_back(stats.bounds);
        }
        return frame;
    };
    const Frame reference = draw(RmRasterIsa::None);
    uint64_t drawn = 0;
    for (uint64_t d : reference.drawn) drawn += d;
    ASSERT_GT(drawn, 500000u);
    for (RmRasterIsa isa : {RmRasterIsa::Portable, RmRasterIsa::Sse2, RmRasterIsa::Avx2}) {
        if (isa > RmRasterBestIsa()) {
            std::printf("instruction set %d: not on this machine\n", int(isa));
            continue;
        }
        const Frame frame = draw(isa);
        EXPECT_TRUE(frame.pixels == reference.pixels) << "instruction set " << int(isa);
        EXPECT_TRUE(frame.depths == reference.depths) << "instruction set " << int(isa);
        EXPECT_TRUE(frame.drawn == reference.drawn) << "instruction set " << int(isa);
        bool sameBounds = true;
        for (size_t i = 0; i < frame.bounds.size(); ++i) {
            const Rect &a = frame.bounds[i], &b = reference.bounds[i];
            sameBounds &=
                a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        }
        EXPECT_TRUE(sameBounds) << "instruction set " << int(isa);
    }
}
