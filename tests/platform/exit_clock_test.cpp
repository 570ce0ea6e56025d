#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/exit.h"

namespace {
struct ExitCaught {
    int status;
};
}  // namespace

TEST(ExitHook, HookSeesTheStatusInsteadOfTheProcessEnding) {
    platform::SetExitHook([](int status) { throw ExitCaught{status}; });
    try {
        platform::Exit(3);
        FAIL() << "Exit returned";
    } catch (const ExitCaught& e) {
        EXPECT_EQ(e.status, 3);
    }
    platform::SetExitHook(nullptr);
}

TEST(Clock, FakeClockMovesOnlyWhenAdvanced) {
    platform::UseFakeClock(true, 5000);
    EXPECT_EQ(platform::Milliseconds(), 5000u);
    EXPECT_EQ(platform::Milliseconds(), 5000u);
    platform::AdvanceFakeClock(250);
    EXPECT_EQ(platform::Milliseconds(), 5250u);
    EXPECT_EQ(platform::WallSeconds(), 5);
    platform::UseFakeClock(false);
    uint32_t a = platform::Milliseconds();
    uint32_t b = platform::Milliseconds();
    EXPECT_LE(a, b);
}
