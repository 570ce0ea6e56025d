#include "base/graphics_objects.h"

#include "base/limits.h"

platform::DirectDraw* DDrawObject = nullptr;
platform::Surface* BackBuffer = nullptr;
platform::RetainedMode* RMObject = nullptr;
platform::RmViewport* RMViewport = nullptr;
platform::RmFrame* SceneFrame = nullptr;
platform::RmFrame* CameraFrame = nullptr;
platform::RmFrame* WorldFrame = nullptr;
platform::Hwnd MainWindow = nullptr;

int32_t DisplayWidth = WindowModeWidth;
int32_t DisplayHeight = WindowModeHeight;
int32_t DisplayBpp = WindowModeBpp;
int FullScreen = 0;

void ResetGraphicsObjects() {
    DDrawObject = nullptr;
    BackBuffer = nullptr;
    RMObject = nullptr;
    RMViewport = nullptr;
    SceneFrame = CameraFrame = WorldFrame = nullptr;
    DisplayWidth = WindowModeWidth;
    DisplayHeight = WindowModeHeight;
    DisplayBpp = WindowModeBpp;
}
