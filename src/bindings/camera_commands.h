// The script's camera: following a path or moving to a hot spot, and turning characters.
// Placing, saving and restoring the eye is in world/camera_position.h.
#pragma once
#include "world/camera_position.h"

// Mode 1: the camera follows path `index`; 2 and 3: it moves to hot spot `index` (a jump or a
// straight move); other modes: nothing.
void SetCameraPath(int mode, int index, float a, int b);
// Turns the character of animation object `entry` (kind 6 only) about the vertical axis so that
// it faces away from a target: targetKind 6 the character of motion row `target`, 7 the camera,
// 11 hot spot `target`. 1 when turned; 0 for other kinds, entries, rows or targets.
int TurnToObj(int kind, int entry, int targetKind, int target);
