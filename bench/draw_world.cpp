// Drawing the cube world: the tests' level and the demo's first level, each drawn from the
// player's eye along a fixed camera path into a 640 x 480 back buffer (a 480 x 360 view), one
// frame per iteration on one thread. Reports frames per second and the view pixels covered per
// frame.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/graphics_objects.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "platform/surface.h"
#include "render/lighting.h"
#include "shell/bmp_surface.h"
#include "shell/messages.h"
#include "world/cube.h"
#include "world/free_level.h"
#include "world/level_reader.h"
#include "world/player.h"
#include "world/visible_rooms.h"

namespace fs = std::filesystem;

namespace {

constexpr uint8_t Background = 0xEE;  // no texel of the test level has this value

struct Eye {
    double x, z;
    double turns;  // heading in whole turns
};

// A walk through room A, into room B, back and down the steps of room C, turning as it goes.
const Eye Path[] = {
    {50, 30, 0.0},   {60, 50, 0.15},  {120, 50, 0.25}, {180, 40, 0.3},  {250, 50, 0.25},
    {280, 20, 0.8},  {180, 60, 0.75}, {60, 70, 0.9},   {50, 90, 1.0},   {50, 150, 1.0},
    {50, 250, 1.05}, {50, 330, 1.2},  {50, 250, 1.5},  {50, 120, 1.55}, {50, 30, 2.0},
};
constexpr int StepsPerLeg = 20;

// The demo's walk from the hall through the corridor into the green chamber and the wooden room.
const Eye DemoPath[] = {
    {50, 50, 0.25},  {150, 60, 0.3},   {250, 50, 0.25},  {350, 50, 0.2},
    {450, 50, 0.0},  {450, 150, -0.1}, {450, 250, 0.25}, {450, 150, 0.5},
    {350, 50, 0.75}, {150, 50, 0.75},  {50, 150, 1.0},   {50, 50, 1.25},
};

// The level's files in a scratch folder that is the working directory: the cube world files
// from the source tree and the texture sheet the build generated.
class LevelFolder {
public:
    LevelFolder() {
        const fs::path source =
            fs::path(__FILE__).parent_path().parent_path() / "tests" / "data" / "cubeworld";
        const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
        old_ = fs::current_path();
        char name[] = "/tmp/dusk_bench_XXXXXX";
        folder_ = mkdtemp(name);
        for (const auto& entry : fs::directory_iterator(source)) {
            fs::copy_file(entry.path(), folder_ / entry.path().filename());
        }
        fs::copy_file(build / "testdata" / "cubeworld.bmp", folder_ / "cubeworld.bmp");
        fs::current_path(folder_);
        OverlaySurfaces[0] = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 256, 256, 1);
        platform::SetBoxEcho(false);
        loaded_ = LoadLevel("cubeworld.lvl") == 1;
    }
    ~LevelFolder() {
        FreeLevel();
        OverlaySurfaces[0]->Release();
        OverlaySurfaces[0] = nullptr;
        fs::current_path(old_);
        fs::remove_all(folder_);
    }
    bool Loaded() const { return loaded_; }

private:
    fs::path old_;
    fs::path folder_;
    bool loaded_ = false;
};

// The demo as the build writes it, its folder the working directory, the level loaded.
class DemoFolder {
public:
    DemoFolder() {
        const fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
        old_ = fs::current_path();
        fs::current_path(build / "demo");
        platform::SetBoxEcho(false);
        // As the game does: the sheets are read into the display palette's picture, a surface
        // of that picture's size.
        platform::DirectDraw* ddraw = nullptr;
        loaded_ = platform::DirectDrawCreate(nullptr, &ddraw) == platform::DD_OK &&
                  LoadBmpSurface(DisplayPaletteFile, ddraw, &OverlaySurfaces[0], nullptr) == 1 &&
                  LoadLevel("demo.lvl") == 1;
        if (ddraw) ddraw->Release();
    }
    ~DemoFolder() {
        FreeLevel();
        if (OverlaySurfaces[0]) OverlaySurfaces[0]->Release();
        OverlaySurfaces[0] = nullptr;
        fs::current_path(old_);
    }
    bool Loaded() const { return loaded_; }

private:
    fs::path old_;
    bool loaded_ = false;
};

struct Pose {
    Fixed16 x, y, z;
    Angle16 heading;
    Cube* cube;
};

template <size_t N>
std::vector<Pose> CameraPath(const Eye (&eyes)[N]) {
    std::vector<Pose> poses;
    constexpr int legs = static_cast<int>(N) - 1;
    for (int leg = 0; leg < legs; ++leg) {
        for (int step = 0; step < StepsPerLeg; ++step) {
            const double t = static_cast<double>(step) / StepsPerLeg;
            const Eye& a = eyes[leg];
            const Eye& b = eyes[leg + 1];
            const double turns = a.turns + (b.turns - a.turns) * t;
            Pose p;
            p.x = static_cast<Fixed16>((a.x + (b.x - a.x) * t) * 65536.0);
            p.z = static_cast<Fixed16>((a.z + (b.z - a.z) * t) * 65536.0);
            p.heading =
                static_cast<Angle16>(static_cast<int64_t>(std::llround(turns * 65536.0)) & 0xFFFF);
            p.cube = FindCubeAt(p.x, p.z);
            if (!p.cube) {
                continue;
            }
            p.y = p.cube->FloorHeight(p.x, p.z) + EyeHeight;
            poses.push_back(p);
        }
    }
    return poses;
}

void Stand(const Pose& p) {
    PlayerX = p.x;
    PlayerY = p.y;
    PlayerZ = p.z;
    PlayerHeading = p.heading;
    HorizonOffset = 0;
    CurrentCube = p.cube;
}

void ClearView(platform::Surface* surface) {
    for (int y = 0; y < 360; ++y) {
        std::fill_n(surface->Pixels() + y * surface->Pitch(), 480, Background);
    }
}

// Times DrawWorld over the poses of a loaded level, one pose a frame, round and round.
void DrawAlong(benchmark::State& state, const std::vector<Pose>& path) {
    if (path.empty()) {
        state.SkipWithError("no pose of the path is inside the level");
        return;
    }
    InitShadeTable();
    BackBuffer = new platform::Surface(platform::DDSCAPS_OFFSCREENPLAIN, 640, 480, 1);

    // View pixels each frame of the path covers, counted once before timing.
    double covered = 0;
    for (const Pose& p : path) {
        Stand(p);
        ClearView(BackBuffer);
        DrawWorld();
        for (int y = 0; y < 360; ++y) {
            const uint8_t* row = BackBuffer->Pixels() + y * BackBuffer->Pitch();
            covered += static_cast<double>(
                std::count_if(row, row + 480, [](uint8_t v) { return v != Background; }));
        }
    }

    size_t next = 0;
    for (auto _ : state) {
        Stand(path[next]);
        DrawWorld();
        benchmark::DoNotOptimize(BackBuffer->Pixels()[0]);
        next = next + 1 == path.size() ? 0 : next + 1;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels_per_frame"] = covered / static_cast<double>(path.size());
    state.counters["path_frames"] = static_cast<double>(path.size());
    BackBuffer->Release();
    BackBuffer = nullptr;
}

void DrawWorldAlongPath(benchmark::State& state) {
    LevelFolder level;
    if (!level.Loaded()) {
        state.SkipWithError("the test level did not load");
        return;
    }
    DrawAlong(state, CameraPath(Path));
}

void DrawDemoAlongPath(benchmark::State& state) {
    DemoFolder demo;
    if (!demo.Loaded()) {
        state.SkipWithError("the demo level did not load");
        return;
    }
    DrawAlong(state, CameraPath(DemoPath));
}

// A memset of the 480 x 360 view, the yardstick for the frames above.
void MemsetView(benchmark::State& state) {
    std::vector<uint8_t> view(480 * 360);
    uint8_t value = 0;
    for (auto _ : state) {
        std::memset(view.data(), ++value, view.size());
        benchmark::DoNotOptimize(view.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(MemsetView)->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawWorldAlongPath)->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawDemoAlongPath)->Unit(benchmark::kMicrosecond);
