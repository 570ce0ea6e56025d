// The game started headless on a copy of the built demo folder, made in a scratch folder that is
// the working directory while the test runs, with files damaged one at a time. The demo folder
// itself must come out of every run untouched: the game writes only into the folder it runs in.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <SDL2/SDL.h>

#include "platform/input_injection.h"
#include "support/scratch_folder.h"
#include "support/shell_fixture.h"

// Watches a FIFO while it lives: should a reader still wait in opening it after a few seconds,
// the watch opens the other end and closes it again, so that the reader reads an empty file and
// goes on (and the test fails) instead of waiting for ever.
class FifoWatch {
public:
    explicit FifoWatch(std::filesystem::path fifo)
        : thread_([this, fifo] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (ended_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
              const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
              if (writer >= 0) {
                  waited_ = true;
                  ::close(writer);
              }
          }) {}
    ~FifoWatch() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        thread_.join();
    }
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    // Whether a reader waited in opening the FIFO.
    bool Waited() {
        std::lock_guard<std::mutex> lock(mutex_);
        return waited_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    bool waited_ = false;
    std::thread thread_;
};

class DamagedDemoTest : public ShellTest {
protected:
    void SetUp() override {
        // Made first, so that the game's own run folder is entered and left inside it.
        scratch_.emplace("dusk_damage");
        folder_ = scratch_->Path();
        ShellTest::SetUp();
        std::filesystem::copy(DUSK_DEMO_DATA, folder_);
        // The planner's pictures of an earlier run are no part of the demo.
        Remove("Blank Map");
        Remove("Planned Path");
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        ShellTest::TearDown();
        scratch_.reset();
    }

    // A fresh copy and a fresh game, for the next damage within one test.
    void StartOver() {
        TearDown();
        SetUp();
    }

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Remove(const std::string& name) const { std::filesystem::remove(Path(name)); }
    // Keeps the first `size` bytes of the file.
    void Cut(const std::string& name, std::uintmax_t size) const {
        std::filesystem::resize_file(Path(name), size);
    }
    // Overwrites bytes of the file from `offset` on.
    void Patch(const std::string& name, std::size_t offset, const std::string& bytes) const {
        std::string text = Read(name);
        text.replace(offset, bytes.size(), bytes);
        Write(name, text);
    }

    // How a run went: whether the start-up let the loop begin, whether the game ended within
    // the passes given (or in the start-up), and the program's status when it did.
    struct Run {
        int started = 0;
        bool ended = false;
        int status = -1;
    };

    // The start-up, then up to `passes` passes of the main loop, as WinMain runs them.
    static Run RunGame(int passes = 30) {
        Run run;
        run.started = InitApp(nullptr, platform::SW_SHOWNORMAL);
        if (run.started) {
            Go(run, passes);
        } else {
            run.ended = true;
            run.status = ExitStatus();
        }
        return run;
    }
    // Up to `passes` more passes, unless the game has ended.
    static void Go(Run& run, int passes) {
        platform::Msg msg;
        for (int i = 0; i < passes && !run.ended; ++i) {
            platform::AdvanceFakeClock(PassMilliseconds);
            run.ended = !MainLoopPass(msg);
            if (run.ended) run.status = static_cast<int>(msg.wParam);
        }
    }
    // A key pressed and let go, a few passes each.
    static void Press(Run& run, SDL_Scancode key) {
        platform::InjectKey(key, true);
        Go(run, 2);
        platform::InjectKey(key, false);
        Go(run, 2);
    }

    // The start-up and a few passes, after `roomKeys` presses of the next-room key.
    static Run RunToRoom(int roomKeys) {
        Run run = RunGame(3);
        for (int k = 0; k < roomKeys; ++k) Press(run, SDL_SCANCODE_F11);
        Go(run, 5);
        return run;
    }

    // A fatal fault ended the game in order with status 1; any other left it running.
    void ExpectEndedOnlyIfFatal(const Run& run, bool fatal) const {
        if (fatal) {
            ExpectEndedInOrder(run, 1);
        } else {
            EXPECT_FALSE(run.ended);
        }
    }

    // The game ended in order: the quit message taken with the status, and every drawing,
    // 3D and scene-graph object released.
    void ExpectEndedInOrder(const Run& run, int status) const {
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(QuitDone, 1);
        for (const void* object : ModeObjects()) EXPECT_EQ(object, nullptr);
    }

    // The one box shown, with its caption and the file (and line) it names under its text.
    void ExpectOneBox(const std::string& text, const std::string& caption,
                      const std::string& place) const {
        ASSERT_EQ(platform::RecordedBoxes().size(), 1u) << Joined();
        EXPECT_EQ(platform::RecordedBoxes()[0].text, text);
        EXPECT_EQ(platform::RecordedBoxes()[0].caption, caption);
        EXPECT_EQ(platform::RecordedBoxes()[0].place, place);
    }

    // The places the boxes shown so far name under their texts.
    static std::vector<std::string> Places() {
        std::vector<std::string> places;
        for (const platform::RecordedBox& box : platform::RecordedBoxes()) {
            places.push_back(box.place);
        }
        return places;
    }

    static std::string Joined() {
        std::string all;
        for (const platform::RecordedBox& box : platform::RecordedBoxes()) {
            all += "[" + platform::ShownText(box) + "] ";
        }
        return all;
    }

    static constexpr uint32_t PassMilliseconds = 33;

private:
    std::optional<support::ScratchFolder> scratch_;
    std::filesystem::path folder_;
};
