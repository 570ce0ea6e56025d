#pragma once
// The drawing objects the shell creates and releases; null while absent. The other parts of the
// game use them and never release them.
namespace platform {
class Surface;
class RmFrame;
class RmViewport;
}  // namespace platform

extern platform::Surface* BackBuffer;     // the 8-bit surface everything is drawn into
extern platform::RmViewport* RMViewport;  // renders the scene's frames into the back buffer
extern platform::RmFrame* SceneFrame;     // the root of the scene
extern platform::RmFrame* CameraFrame;    // the player's eye
extern platform::RmFrame* WorldFrame;     // the frame of the level's last 3D character
