// SIGINT and SIGTERM end the game in order: a caught signal is taken where the window's events
// are read, with a screen and without one, and asks the main window to close.
#pragma once

namespace platform {

// Catches SIGINT and SIGTERM from now on. Each kind is caught once: a second signal of the same
// kind ends the process at once, should the game not end.
void CatchQuitSignals();
// True once for a caught signal not yet taken.
bool TakeQuitSignal();

}  // namespace platform
