#include <gtest/gtest.h>

#include <array>

#include "platform/draw_constants.h"
#include "platform/faults.h"
#include "platform/rm.h"

using namespace platform;

TEST(RetainedMode, DrawsIntoASurfaceThroughItsCurrentPalette) {
    RetainedMode* rawRm = nullptr;
    ASSERT_EQ(RetainedMode::Create(&rawRm), D3DRM_OK);
    auto rm = RmAdopt(rawRm);
    auto surface = RmAdopt(new Surface(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, 64, 48, 1));
    std::array<PaletteEntry, 256> entries{};
    for (int i = 0; i < 256; ++i) entries[i] = {uint8_t(i), 0, 0, 0};  // red ramp
    auto palette = RmAdopt(new Palette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data()));
    surface->SetPalette(palette.get());

    RmDevice* rawDevice = nullptr;
    ASSERT_EQ(rm->CreateDeviceFromSurface(surface.get(), &rawDevice), D3DRM_OK);
    auto device = RmAdopt(rawDevice);
    EXPECT_EQ(device->GetWidth(), 64u);
    EXPECT_EQ(device->GetHeight(), 48u);

    RmFrame *rawScene = nullptr, *rawCamera = nullptr, *rawObject = nullptr;
    rm->CreateFrame(nullptr, &rawScene);
    auto scene = RmAdopt(rawScene);
    rm->CreateFrame(scene.get(), &rawCamera);
    auto camera = RmAdopt(rawCamera);
    rm->CreateFrame(scene.get(), &rawObject);
    auto object = RmAdopt(rawObject);
    RmViewport* rawViewport = nullptr;
    EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, 65, 48, &rawViewport),
              D3DRMERR_BADVALUE);
    ASSERT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, 48, 36, &rawViewport), D3DRM_OK);
    auto viewport = RmAdopt(rawViewport);

    RmLight* rawLight = nullptr;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &rawLight), D3DRM_OK);
    auto light = RmAdopt(rawLight);
    scene->AddLight(light.get());
    RmMeshBuilder* rawBuilder = nullptr;
    rm->CreateMeshBuilder(&rawBuilder);
    auto builder = RmAdopt(rawBuilder);
    RmVector v[3] = {{-1, 1, 5}, {1, 1, 5}, {0, -1, 5}};
    RmVector n[1] = {{0, 0, -1}};
    uint32_t data[] = {3, 0, 0, 1, 0, 2, 0, 0};
    RmFaceArray* rawFaces = nullptr;
    builder->AddFaces(v, 3, n, 1, data, 8, &rawFaces);
    auto faces = RmAdopt(rawFaces);
    RmFace* rawFace = nullptr;
    faces->GetElement(0, &rawFace);
    auto face = RmAdopt(rawFace);
    face->SetColor(RmCreateColorRGB(128 / 255.0f, 0, 0));
    object->AddVisual(builder.get());

    ASSERT_EQ(viewport->Clear(), D3DRM_OK);
    ASSERT_EQ(viewport->Render(object.get()), D3DRM_OK);
    EXPECT_EQ(surface->Pixels()[18 * surface->Pitch() + 24], 128);

    // The palette is read at each drawing: a new one is mapped at once.
    for (int i = 0; i < 256; ++i) entries[i] = {0, 0, 0, 0};
    entries[9] = {128, 0, 0, 0};
    palette->SetEntries(0, 0, 256, entries.data());
    viewport->Clear();
    viewport->Render(object.get());
    EXPECT_EQ(surface->Pixels()[18 * surface->Pitch() + 24], 9);

    // A failure injected for a call comes back from it.
    InjectFault("Clear", D3DRMERR_BADOBJECT);
    EXPECT_EQ(viewport->Clear(), D3DRMERR_BADOBJECT);
    EXPECT_EQ(viewport->Clear(), D3DRM_OK);
    ClearFaults();
    RmDevice* none = nullptr;
    EXPECT_EQ(rm->CreateDeviceFromSurface(nullptr, &none), D3DRMERR_BADOBJECT);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(rm->CreateLightRGB(RmLightType(1), 1, 1, 1, &rawLight), D3DRMERR_BADVALUE);
}
