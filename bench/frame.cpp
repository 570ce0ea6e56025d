// The whole main-loop pass of the demo, played headless with a fake clock (33 ms a pass) and a
// fixed random seed, in three places: the first level's hall with its robot in view, the spring
// court with the gate open, and the robot hall while the two robots cross it. Each repetition
// starts the game afresh, plays up to the place, then times 60 passes split into phases:
//   logic         the keyboard, one message and the game update
//   world         the cube world drawn, less the characters drawn inside it
//   characters    the 3D viewport cleared, the characters rendered, the device updated
//   presentation  the status displays, the cursor, and the view stretched onto the front buffer
//                 and turned into the presented picture
// Every figure is in milliseconds a pass; "memsets" is the pass against a memset of the 640 x 480
// frame timed in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/faults.h"
#include "platform/input.h"
#include "platform/input_injection.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/rm_device.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "shell/app.h"
#include "shell/direct_x.h"
#include "shell/frame.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "shell/shutdown.h"
#include "support/process_start.h"
#include "world/cube.h"
#include "world/visible_rooms.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint32_t PassMilliseconds = 33;
constexpr int TimedPasses = 60;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The game started headless, as in a fresh process, on the files of the demo the build writes;
// stopped and released on exit.
class Game {
public:
    Game() {
        support::FreshHeadlessStart();
        old_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("dusk_bench_frame_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        support::LinkDemoFiles(
            fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "demo", folder_);
        fs::current_path(folder_);
        platform::SRand(7);
        started_ =
            InitApp(nullptr, platform::SW_SHOWNORMAL) == 1 && platform::RecordedBoxes().empty();
        platform::InjectMouseMove(320, 240);
        Passes(1);
    }
    ~Game() {
        ResetLevel();
        ShutdownApp();
        FreeOverlayImages(0);
        platform::ResetWindows();
        MainWindow = nullptr;
        platform::UseFakeClock(false);
        fs::current_path(old_);
        fs::remove_all(folder_);
    }
    bool Started() const { return started_; }

    void Passes(int n) {
        platform::Msg msg;
        for (int i = 0; i < n; ++i) {
            platform::AdvanceFakeClock(PassMilliseconds);
            MainLoopPass(msg);
        }
    }
    void Press(SDL_Scancode key) {
        platform::InjectKey(key, true);
        Passes(1);
        platform::InjectKey(key, false);
        Passes(1);
    }

private:
    fs::path old_;
    fs::path folder_;
    bool started_ = false;
};

struct Phases {
    double logic = 0, world = 0, characters = 0, presentation = 0;
    double Pass() const { return logic + world + characters + presentation; }
};

// One main-loop pass with each step timed, in the order the game's own pass takes them.
void TimedPass(Phases& sum) {
    platform::AdvanceFakeClock(PassMilliseconds);
    const Clock::time_point t0 = Clock::now();
    PollKeyboard();
    platform::Msg msg;
    if (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
        platform::TranslateMessage(&msg);
        platform::DispatchMessage(&msg);
    }
    PerFrameUpdate();
    const Clock::time_point t1 = Clock::now();
    RMViewport->Clear();
    const Clock::time_point t2 = Clock::now();
    const uint64_t rendered = RMDevice->RenderNanoseconds();
    DrawWorld();
    const double inside = (RMDevice->RenderNanoseconds() - rendered) / 1e6;
    const Clock::time_point t3 = Clock::now();
    RMDevice->Update();
    const Clock::time_point t4 = Clock::now();
    PresentFrame();
    const Clock::time_point t5 = Clock::now();
    sum.logic += Ms(t1 - t0);
    sum.world += Ms(t3 - t2) - inside;
    sum.characters += Ms(t2 - t1) + inside + Ms(t4 - t3);
    sum.presentation += Ms(t5 - t4);
}

// A memset of the 640 x 480 frame, the best of many, in milliseconds.
double MemsetMs() {
    static std::vector<uint8_t> frame(640 * 480);
    double best = 1e9;
    for (int i = 0; i < 200; ++i) {
        const Clock::time_point t0 = Clock::now();
        std::memset(frame.data(), i, frame.size());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
        best = std::min(best, Ms(Clock::now() - t0));
    }
    return best;
}

// Plays `setUp` in a fresh game, then times the passes; one run of the benchmark a repetition.
template <typename SetUp>
void Frame(benchmark::State& state, SetUp setUp) {
    for (auto _ : state) {
        state.PauseTiming();
        Game game;
        if (!game.Started()) {
            state.SkipWithError("the demo did not start");
            return;
        }
        setUp(game);
        state.ResumeTiming();
        Phases sum;
        for (int i = 0; i < TimedPasses; ++i) TimedPass(sum);
        state.PauseTiming();
        const double memset = MemsetMs();
        state.counters["pass_ms"] = sum.Pass() / TimedPasses;
        state.counters["logic_ms"] = sum.logic / TimedPasses;
        state.counters["world_ms"] = sum.world / TimedPasses;
        state.counters["characters_ms"] = sum.characters / TimedPasses;
        state.counters["presentation_ms"] = sum.presentation / TimedPasses;
        state.counters["memset_ms"] = memset;
        state.counters["memsets"] = sum.Pass() / TimedPasses / memset;
        state.ResumeTiming();
    }
}

// The first level's hall from the start, its robot in the middle of the view.
void FirstHall(benchmark::State& state) {
    Frame(state, [](Game& game) { game.Passes(10); });
}

// The spring court seen from the start, the gate opened by F4.
void SpringCourt(benchmark::State& state) {
    Frame(state, [](Game& game) {
        game.Press(SDL_SCANCODE_F11);
        game.Press(SDL_SCANCODE_F4);
        game.Passes(40);
    });
}

// The robot hall, the two robots sent to each other's corner by F4 and under way.
void RobotHall(benchmark::State& state) {
    Frame(state, [](Game& game) {
        game.Press(SDL_SCANCODE_F11);
        game.Press(SDL_SCANCODE_F11);
        game.Press(SDL_SCANCODE_F4);
        game.Passes(70);
    });
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define FRAME_BENCHMARK(f)              \
    BENCHMARK(f)                        \
        ->Iterations(1)                 \
        ->Repetitions(7)                \
        ->ComputeStatistics("min", Min) \
        ->ReportAggregatesOnly(true)    \
        ->Unit(benchmark::kMillisecond)
FRAME_BENCHMARK(FirstHall);
FRAME_BENCHMARK(SpringCourt);
FRAME_BENCHMARK(RobotHall);
