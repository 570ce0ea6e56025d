#include "shell/graphics_objects.h"

platform::Surface* BackBuffer = nullptr;
platform::RmViewport* RMViewport = nullptr;
platform::RmFrame* SceneFrame = nullptr;
platform::RmFrame* CameraFrame = nullptr;
platform::RmFrame* WorldFrame = nullptr;
