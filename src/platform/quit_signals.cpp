#include "platform/quit_signals.h"

#include <signal.h>

namespace platform {
namespace {

volatile sig_atomic_t gQuitSignal = 0;

void OnQuitSignal(int) { gQuitSignal = 1; }

}  // namespace

void CatchQuitSignals() {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // A call the signal interrupts goes on, so that a late one cannot fail a write while ending.
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool TakeQuitSignal() {
    if (!gQuitSignal) return false;
    gQuitSignal = 0;
    return true;
}

}  // namespace platform
