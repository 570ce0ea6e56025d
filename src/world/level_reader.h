#pragma once
// The level file and the cube files it names. Every failure is reported through ReportError and
// ends the game through QuitApp; what was read so far stays in the tables for the level reset.

// Reads the level file and every cube file, links cubes and rooms, classifies floors and puts
// the player in the starting cube. 1 when loaded, 0 after a failure.
int LoadLevel(const char* path);
