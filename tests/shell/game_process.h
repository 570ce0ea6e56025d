// The built game run as its own process in the current folder, as a player starts it: the
// configuration dialog is answered at once without a screen and waits for the player with one.
#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace shelltest {

// Starts the game with the video driver given; its standard error goes to `errorFd` when one is
// given. The process id.
inline pid_t StartGame(const char* videoDriver, int errorFd = -1) {
    const pid_t child = fork();
    if (child == 0) {
        if (errorFd >= 0) dup2(errorFd, STDERR_FILENO);
        setenv("SDL_VIDEODRIVER", videoDriver, 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // With a desktop session about, the desktop's message bus library keeps memory to the
        // end of the process; a leak check of the game leaves it out.
        std::ofstream("leaks.supp") << "leak:libdbus-1.so\n";
        setenv("LSAN_OPTIONS", "suppressions=leaks.supp", 1);
        execl(DUSK_GAME_EXE, DUSK_GAME_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// The process's wait status once it has ended, or -1 when it is still running after `limit`
// (it is then killed).
inline int WaitForEnd(pid_t child, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    int status = 0;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(child, &status, WNOHANG) == child) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
}

// Whether a wait status of WaitForEnd is the process ending by itself with `code`: not still
// running (and killed), not ended by a signal.
inline ::testing::AssertionResult ExitedWith(int status, int code) {
    if (status == -1) return ::testing::AssertionFailure() << "still running";
    if (!WIFEXITED(status)) {
        return ::testing::AssertionFailure() << "ended by signal " << WTERMSIG(status);
    }
    if (WEXITSTATUS(status) != code) {
        return ::testing::AssertionFailure() << "exit status " << WEXITSTATUS(status);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace shelltest
