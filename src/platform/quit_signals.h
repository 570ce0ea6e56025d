// SIGINT, SIGTERM and SIGHUP (the terminal closing) end the game in order: a caught signal is
// taken where the window's events are read, with a screen and without one, and asks the main
// window to close. SIGPIPE is ignored: a write to an output whose reader has gone fails, and the
// game goes on. The game's lines on its standard error are written so that a quit signal breaks
// off a write whose reader holds it up (a log reader that has stalled, a pager left unread).
#pragma once
#include <string_view>

namespace platform {

// Catches SIGINT, SIGTERM and SIGHUP from now on, and ignores SIGPIPE; forgets any signal caught
// before. A call the signal interrupts goes on, so that a file written while the game ends is
// written whole. SIGTERM and SIGHUP stay caught: one that follows while the game ends (as a
// supervisor sends it to the game and then to its process group) changes nothing. SIGINT is
// caught once: a second Ctrl+C ends the process at once, should the game not end. A signal
// taken by another thread than the one that called this wakes that one too.
void CatchQuitSignals();
// True once for a caught signal not yet taken.
bool TakeQuitSignal();
// Writes the text on the standard error. While the standard error takes nothing the write waits
// for it, until a quit signal is caught: the rest is then given up, and once one has been caught
// only what the standard error takes at once is written, so that the game's end never waits for
// a reader.
void WriteStandardError(std::string_view text);

}  // namespace platform
