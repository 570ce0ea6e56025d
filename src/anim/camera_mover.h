#pragma once
// Set while a straight mover carries the camera: the player's floor following then waits.
extern int CameraMoverActive;
