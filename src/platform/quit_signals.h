// SIGINT, SIGTERM and SIGHUP (the terminal closing) end the game in order: a caught signal is
// taken where the window's events are read, with a screen and without one, and asks the main
// window to close. SIGPIPE is ignored: a write to an output whose reader has gone fails, and the
// game goes on.
#pragma once

namespace platform {

// Catches SIGINT, SIGTERM and SIGHUP from now on, and ignores SIGPIPE. SIGTERM and SIGHUP stay
// caught: one that follows while the game ends (as a supervisor sends it to the game and then to
// its process group) changes nothing. SIGINT is caught once: a second Ctrl+C ends the process at
// once, should the game not end.
void CatchQuitSignals();
// True once for a caught signal not yet taken.
bool TakeQuitSignal();

}  // namespace platform
