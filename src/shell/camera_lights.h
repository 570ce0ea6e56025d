// The scene's start: the world frame, the camera at the player and the two default lights.
#pragma once

// Creates WorldFrame, places the camera at the player and makes the two default lights.
void SetupCameraAndLights();
