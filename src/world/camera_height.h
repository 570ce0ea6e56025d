#pragma once
// The eye follows the floor of the player's cube, level or sloped, and falls with growing speed
// when the floor drops away by more than FallThreshold.
class Cube;

// Set while a straight mover carries the camera: the player's floor following then waits.
extern int CameraMoverActive;

// No mover holds the camera: the start value, for a fresh start of the game.
void ResetCameraHeight();

void UpdateCameraHeight(Cube* cube);
