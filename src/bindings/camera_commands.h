// The script's camera: placing the player's eye, saving and restoring it, following a path or
// moving to a hot spot, and turning characters.
#pragma once

// 1 while a camera saved by SetCamera mode 2 waits to be restored.
extern int CameraSavedFlag;
// The saved camera: x, y, z in world units, heading in degrees, horizon offset.
struct SavedCamera {
    float x, y, z, heading, horizon;
};
extern SavedCamera SavedCameraPosition;

// Mode 2: saves the camera (unless one is saved already) and places it; mode 1: restores the
// saved camera; any other mode does nothing.
void SetCamera(int mode, float x, float y, float z, float heading, float horizon);
// The eye in world units and degrees.
void GetCameraPosition(float* x, float* y, float* z, float* heading, float* horizon);
// Places the eye (world units); a heading outside 0..360 degrees leaves the heading as it is.
// A position outside every cube is reported and ends the game.
void SetCameraPosition(float x, float y, float z, float headingDegrees, int horizon);
// Mode 1: the camera follows path `index`; 2 and 3: it moves to hot spot `index` (a jump or a
// straight move); other modes: nothing.
void SetCameraPath(int mode, int index, float a, int b);
// Turns the character of animation object `entry` (kind 6 only) about the vertical axis so that
// it faces away from a target: targetKind 6 the character of motion row `target`, 7 the camera,
// 11 hot spot `target`. 1 when turned; 0 for other kinds, entries, rows or targets.
int TurnToObj(int kind, int entry, int targetKind, int target);
