#pragma once
// The cube-file reader. A failure is reported through ReportError and ends the game through
// QuitApp; what was read so far stays in the tables for the level reset.

// Reads one cube file into a new room. 1 when read to its end, 0 after a failure.
int LoadCubeFile(const char* path);

// Ceiling and floor connections of the loaded cubes as Cubes indices (-1 none), kept until the
// level links them.
extern int PendingVerticalLinks[][2];
