#pragma once
// The eye follows the floor of the player's cube, level or sloped, and falls with growing speed
// when the floor drops away by more than FallThreshold.
class Cube;

void UpdateCameraHeight(Cube* cube);
