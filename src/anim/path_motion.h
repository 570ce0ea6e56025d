// Path motions: characters carried along a loaded path, each frame turned to the path's rotation
// and placed at its position relative to where the character stood, while it keeps playing its
// own motion; and the camera carried along a path's positions as they stand.
#pragma once

// Attaches motion row `row` to the path; the first one attached sets where the path starts.
// 1, or 0 when the path or the row does not exist or the path carries 8 motions (reported).
int AddPathMotion(int path, int row);
// Removes the first place of `row` from the path's motions; 1, or 0 when it is not there.
int DelPathMotion(int row, int path);

// The path's rotation (s, x, y, z) and position at a frame, each held at its first or last key
// outside their range; a path without rotation keys leaves `rotation` as it is. 1, or 0 when
// the path does not exist.
int InterpolatePathKeys(int path, int frame, float rotation[4], float position[3]);

// One frame of a character on the path, for the animation object in hand; at the end of each
// pass the object's follow-up state is triggered and the path begins again. 1 when a frame was
// placed.
int StepPathMotion(int path);
// One frame of the camera on the path: its frame is moved to the path's position, keeping its
// orientation; after the last frame the object in hand is freed. 1 when a frame was placed.
int StepCameraPath(int path);
