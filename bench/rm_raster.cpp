// The scene graph's rasterizer: a lit, textured sphere of 1,920 triangles covering about a third
// of a 480 x 360 view of a 640 x 480 back buffer, cleared and rendered each iteration. Reports
// model triangles, triangles drawn (the back half is culled) and pixels written per second.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "platform/rm_device.h"
#include "platform/rm_frame.h"
#include "platform/rm_light.h"
#include "platform/rm_mesh.h"
#include "platform/rm_texture.h"
#include "platform/rm_viewport.h"

using namespace platform;

namespace {

constexpr int W = 640, H = 480, Stacks = 25, Slices = 40;

RmRef<RmTexture> Checker() {
    std::array<PaletteEntry, 2> pal{{{230, 200, 40, 1}, {30, 90, 200, 1}}};
    std::vector<uint8_t> texels(64 * 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) texels[y * 64 + x] = ((x / 8) ^ (y / 8)) & 1;
    }
    RmImage image;
    image.width = image.height = image.bytesPerLine = 64;
    image.buffer1 = texels.data();
    image.paletteSize = 2;
    image.palette = pal.data();
    RmTexture* t = nullptr;
    RmTexture::CreateFromImage(image, &t);
    return RmAdopt(t);
}

RmRef<RmMeshBuilder> Sphere(RmTexture* texture) {
    std::vector<RmVector> points;
    std::vector<RmTexCoord> uv;
    for (int i = 0; i <= Stacks; ++i) {
        float theta = 3.14159265f * float(i) / Stacks;
        for (int j = 0; j <= Slices; ++j) {
            float phi = 2 * 3.14159265f * float(j) / Slices;
            points.push_back({std::sin(theta) * std::cos(phi), std::cos(theta),
                              std::sin(theta) * std::sin(phi)});
            uv.push_back({float(j) / Slices * 4, float(i) / Stacks * 2});
        }
    }
    std::vector<uint32_t> data;
    auto at = [](int i, int j) { return uint32_t(i * (Slices + 1) + j); };
    auto triangle = [&data](uint32_t a, uint32_t b, uint32_t c) {
        data.insert(data.end(), {3u, a, a, b, b, c, c});
    };
    for (int i = 0; i < Stacks; ++i) {
        for (int j = 0; j < Slices; ++j) {
            if (i > 0) triangle(at(i, j), at(i, j + 1), at(i + 1, j + 1));
            if (i < Stacks - 1) triangle(at(i, j), at(i + 1, j + 1), at(i + 1, j));
        }
    }
    data.push_back(0);
    auto builder = RmAdopt(new RmMeshBuilder());
    builder->AddFaces(points.data(), uint32_t(points.size()), points.data(),
                      uint32_t(points.size()), data.data(), data.size(), nullptr);
    builder->SetTexture(texture);
    for (uint32_t k = 0; k < uv.size(); ++k) builder->SetTextureCoordinates(k, uv[k].u, uv[k].v);
    return builder;
}

void BM_RenderLitTexturedSphere(benchmark::State& state) {
    std::vector<uint8_t> pixels(W * H);
    std::array<PaletteEntry, 256> palette{};
    for (int i = 0; i < 216; ++i)
        palette[i] = {uint8_t(i / 36 * 51), uint8_t(i / 6 % 6 * 51), uint8_t(i % 6 * 51), 0};
    for (int i = 216; i < 256; ++i)
        palette[i] = {uint8_t((i - 216) * 6), uint8_t((i - 216) * 6), uint8_t((i - 216) * 6), 0};
    auto device = RmAdopt(RmDevice::Create([&] {
        return RmTarget{pixels.data(), W, W, H, palette.data()};
    }));
    auto scene = RmAdopt(RmFrame::Create(nullptr));
    auto camera = RmAdopt(RmFrame::Create(scene.get()));
    auto viewport = RmAdopt(RmViewport::Create(device.get(), camera.get(), 0, 0, 480, 360));
    viewport->SetBack(5000);
    auto ambient = RmAdopt(RmLight::Create(D3DRMLIGHT_AMBIENT, 0.3f, 0.3f, 0.3f));
    scene->AddLight(ambient.get());
    auto lightFrame = RmAdopt(RmFrame::Create(scene.get()));
    lightFrame->SetOrientation(nullptr, 1, -1, 2, 0, 1, 0);
    auto sun = RmAdopt(RmLight::Create(D3DRMLIGHT_DIRECTIONAL, 0.9f, 0.9f, 0.9f));
    lightFrame->AddLight(sun.get());

    auto texture = Checker();
    auto model = Sphere(texture.get());
    auto frame = RmAdopt(RmFrame::Create(scene.get()));
    frame->AddVisual(model.get());
    frame->SetPosition(nullptr, 0, 0, 3.68f);

    viewport->Clear();
    viewport->Render(frame.get());
    // The corner stays clear; every pixel that differs from it was drawn.
    int64_t covered = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 480; ++x) covered += pixels[y * W + x] != pixels[0];
    }
    uint64_t drawnBefore = device->TrianglesDrawn();
    for (auto _ : state) {
        viewport->Clear();
        viewport->Render(frame.get());
        benchmark::DoNotOptimize(pixels.data());
    }
    double drawn = double(device->TrianglesDrawn() - drawnBefore);
    state.counters["model_triangles/s"] = benchmark::Counter(
        double(model->GetFaceCount()) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["drawn_triangles/s"] = benchmark::Counter(drawn, benchmark::Counter::kIsRate);
    state.counters["pixels/s"] =
        benchmark::Counter(double(covered) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["coverage"] = double(covered) / (480.0 * 360.0);
}

}  // namespace

BENCHMARK(BM_RenderLitTexturedSphere)->Unit(benchmark::kMicrosecond);
