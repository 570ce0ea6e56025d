#pragma once
// The drawing objects the shell creates and releases; null while absent. The other parts of the
// game use them and never release them.
#include <cstdint>

#include "platform/types.h"

namespace platform {
class DirectDraw;
class RetainedMode;
class Surface;
class RmFrame;
class RmViewport;
}  // namespace platform

extern platform::Surface* BackBuffer;      // the 8-bit surface everything is drawn into
extern platform::RmViewport* RMViewport;   // renders the scene's frames into the back buffer
extern platform::RmFrame* SceneFrame;      // the root of the scene
extern platform::RmFrame* CameraFrame;     // the player's eye
extern platform::RmFrame* WorldFrame;      // the frame of the level's last 3D character
extern platform::DirectDraw* DDrawObject;  // the display, its modes and surfaces
extern platform::RetainedMode* RMObject;   // makes the scene's frames, meshes and lights
extern platform::Hwnd MainWindow;

// The display's size and depth (640 x 480 x 8 at start; a window is always 640 x 480 x 8) and
// whether full screen is asked for (1) or a window (0).
extern int32_t DisplayWidth;
extern int32_t DisplayHeight;
extern int32_t DisplayBpp;
extern int FullScreen;

// Every graphics object above null (without releasing it: the shell releases them) and the
// display back at 640 x 480 x 8.
void ResetGraphicsObjects();
