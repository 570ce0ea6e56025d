// The player's eye in world units and degrees: placing it, reading it, saving and restoring it.
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
