// The ordered end of the game after a fault that leaves it unable to go on.
#pragma once
#include <string>

// Ends the game after a load fault it cannot go on from (a damaged file, memory run out): the
// text in a box captioned "Error", then QuitApp, and the program ends with status 1. A fault
// met while the game is already ending shows nothing more.
void EndGameAfterFault(const std::string& text);
// The same for an allocation that failed; the box names the file that was being loaded.
void EndGameOutOfMemory();
