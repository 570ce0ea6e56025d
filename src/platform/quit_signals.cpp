#include "platform/quit_signals.h"

#include <limits.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>

namespace platform {
namespace {

// Read and written by the handler, on whichever thread it runs, and read by any thread.
static_assert(std::atomic<int>::is_always_lock_free);
// A caught signal not yet taken.
std::atomic<int> gQuitSignal{0};
// A signal has been caught since CatchQuitSignals: the game is ending.
std::atomic<int> gQuitCaught{0};
// The thread that caught the signals, which reads the window's events and writes the echoes.
pthread_t gMainThread;

void OnQuitSignal(int) {
    gQuitSignal.store(1);
    gQuitCaught.store(1);
    // Taken by another thread (SDL's and the GL driver's hold the signals back, a library's
    // might not): the main thread, perhaps waiting for the standard error, is woken with
    // SIGTERM, whose handler stays where SIGINT's may be gone.
    if (!pthread_equal(pthread_self(), gMainThread)) pthread_kill(gMainThread, SIGTERM);
}

sigset_t QuitSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

}  // namespace

void CatchQuitSignals() {
    gMainThread = pthread_self();
    gQuitSignal.store(0);
    gQuitCaught.store(0);
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool TakeQuitSignal() { return gQuitSignal.exchange(0) != 0; }

void WriteStandardError(std::string_view text) {
    // The wait for the standard error is the call a quit signal breaks off (a call it interrupts
    // elsewhere goes on; this wait never does). The signals are held back outside the wait, so
    // that one caught between looking at the flag and the wait still breaks it off.
    const sigset_t quit = QuitSignals();
    sigset_t open;
    pthread_sigmask(SIG_BLOCK, &quit, &open);
    while (!text.empty()) {
        pollfd output{STDERR_FILENO, POLLOUT, 0};
        const timespec now{};
        const int ready = ppoll(&output, 1, gQuitCaught.load() ? &now : nullptr, &open);
        if (ready < 0 && errno == EINTR) continue;
        if (ready != 1) break;
        // A pipe that takes anything takes this much whole, so the write does not wait.
        const ssize_t n =
            write(STDERR_FILENO, text.data(), std::min<size_t>(text.size(), PIPE_BUF));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.remove_prefix(static_cast<size_t>(n));
    }
    pthread_sigmask(SIG_SETMASK, &open, nullptr);
}

}  // namespace platform
