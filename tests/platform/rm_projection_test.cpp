// The scene graph's characters must stand where the world renderer draws the world: both project
// with the same scale and centre, and the horizon band moves both pictures alike.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "base/fixed.h"
#include "platform/rm_device.h"
#include "platform/rm_frame.h"
#include "platform/rm_light.h"
#include "platform/rm_mesh.h"
#include "platform/rm_viewport.h"
#include "render/int64.h"
#include "render/render_state.h"
#include "render/view.h"

using namespace platform;

namespace {

struct Pixel {
    int column, row;
};

// The world renderer's pixel for a world point, as its polygons are projected.
Pixel SoftwarePixel(const FixedVector& p) {
    FixedVector v = TransformToView(p.x, p.y, p.z);
    Fixed16 sx = MulDiv(v.x, ProjectionScaleX, v.z);
    Fixed16 sy = MulDiv(v.y, ProjectionScaleY, v.z);
    return {ViewCentreX + ((sx + 0x8000) >> 16), ViewCentreY + ((sy + 0x8000) >> 16)};
}

}  // namespace

TEST(RmProjection, MatchesTheWorldRendererForEveryHorizonOffset) {
    constexpr int W = 640, H = 480;
    std::vector<uint8_t> pixels(W * H, 0);
    std::array<PaletteEntry, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    auto device = RmAdopt(RmDevice::Create([&] {
        return RmTarget{pixels.data(), W, W, H, palette.data()};
    }));
    auto scene = RmAdopt(RmFrame::Create(nullptr));
    auto camera = RmAdopt(RmFrame::Create(scene.get()));
    auto light = RmAdopt(RmLight::Create(D3DRMLIGHT_AMBIENT, 1, 1, 1));
    scene->AddLight(light.get());
    auto viewport =
        RmAdopt(RmViewport::Create(device.get(), camera.get(), 0, 0, W - W / 4, H - H / 4));

    const Fixed16 eyeX = 100 * FixedOne, eyeY = 36 * FixedOne, eyeZ = -250 * FixedOne;
    for (Angle16 heading : {Angle16(0), Angle16(0x2000), Angle16(12345)}) {
        for (int horizon : {-20, 0, 20}) {
            SCOPED_TRACE(testing::Message() << "heading " << heading << " horizon " << horizon);
            // The world renderer's frame set-up, as the drawing walk makes it.
            InitRenderViewport(pixels.data(), W, RenderRect{0, 0, W - W / 4 - 1, H - H / 4 - 1});
            SetRenderCamera(eyeX, eyeY, eyeZ, heading, horizon, 256);
            // The scene graph's camera and horizon band, as the game places them.
            float s = float(SinOf(heading)) / 32768.0f, c = float(CosOf(heading)) / 32768.0f;
            camera->SetPosition(scene.get(), eyeX / 65536.0f, eyeY / 65536.0f, eyeZ / 65536.0f);
            camera->SetOrientation(scene.get(), s, 0, c, 0, 1, 0);
            float h = float(horizon) / 480.0f;
            ASSERT_EQ(viewport->SetPlane(-0.5f, 0.5f, -0.5f - h, 0.5f - h), D3DRM_OK);
            viewport->SetUniformScaling(true);

            // A point 40 units along the camera's axis: the same pixel exactly, and a small
            // square drawn around it covers that pixel.
            float ax = eyeX / 65536.0f + 40 * s, ay = eyeY / 65536.0f,
                  az = eyeZ / 65536.0f + 40 * c;
            Pixel soft =
                SoftwarePixel({Fixed16(ax * 65536), Fixed16(ay * 65536), Fixed16(az * 65536)});
            RmVector screen;
            ASSERT_EQ(viewport->Transform({ax, ay, az}, &screen), D3DRM_OK);
            EXPECT_EQ(int(std::floor(screen.x + 0.5f)), soft.column);
            EXPECT_EQ(int(std::floor(screen.y + 0.5f)), soft.row);
            EXPECT_EQ(soft.row, 180 - horizon);

            auto marker = RmAdopt(RmFrame::Create(scene.get()));
            marker->SetPosition(scene.get(), ax, ay, az);
            marker->SetOrientation(scene.get(), s, 0, c, 0, 1, 0);
            auto square = RmAdopt(new RmMeshBuilder());
            RmVector v[4] = {
                {-0.05f, 0.05f, 0}, {0.05f, 0.05f, 0}, {0.05f, -0.05f, 0}, {-0.05f, -0.05f, 0}};
            RmVector n[1] = {{0, 0, -1}};
            uint32_t data[] = {4, 0, 0, 1, 0, 2, 0, 3, 0, 0};
            square->AddFaces(v, 4, n, 1, data, 10, nullptr);
            marker->AddVisual(square.get());
            viewport->Clear();
            viewport->Render(marker.get());
            EXPECT_EQ(pixels[soft.row * W + soft.column], 255);

            // Points off the axis land within a pixel of the world renderer's (it truncates
            // its fixed-point products where the scene graph keeps floats).
            for (auto [right, up, ahead] :
                 {std::array<float, 3>{5, 3, 30}, {-12, -4, 25}, {7, -9, 60}}) {
                float px = eyeX / 65536.0f + ahead * s + right * c;
                float py = eyeY / 65536.0f + up;
                float pz = eyeZ / 65536.0f + ahead * c - right * s;
                Pixel p =
                    SoftwarePixel({Fixed16(px * 65536), Fixed16(py * 65536), Fixed16(pz * 65536)});
                ASSERT_EQ(viewport->Transform({px, py, pz}, &screen), D3DRM_OK);
                EXPECT_NEAR(screen.x, p.column, 1.0f);
                EXPECT_NEAR(screen.y, p.row, 1.0f);
            }
        }
    }
}
