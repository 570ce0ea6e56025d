// The display mode's objects: the window's mode and style, the surfaces, the z-buffer, the 3D
// device and the scene-graph device. Each step: 1 done, 0 failed (after the step's box).
#pragma once
#include <cstdint>

#include "platform/direct3d.h"
#include "platform/direct_draw.h"
#include "platform/rm.h"
#include "platform/surface.h"
#include "platform/types.h"

int CreateDevices();  // SetDisplayModeAndWindow, CreateD3D, CreateD3DDevice, CreateD3DRMDevice
int SetDisplayModeAndWindow();
int CreateWindowSurfaces();
int CreateD3D();
int CreateD3DDevice();
int CreateZBuffer(uint32_t memoryCaps);
int CreateD3DRMDevice();
int ReadSurfaceDesc(platform::SurfaceDesc* desc, platform::Surface* surface);
void SaveRestoreWindowStyle(platform::Hwnd window);

// Called once for each 3D device while the devices are listed.
platform::HResult EnumD3DDevicesCallback(platform::Guid* guid, const char* description,
                                         const char* name, platform::D3DDeviceDesc* hardware,
                                         platform::D3DDeviceDesc* software, void* context);
// Called by the scene-graph device's update with the rectangles it drew.
void DeviceUpdateCallback(platform::RmDevice* device, void* argument, int32_t count,
                          const platform::Rect* rects);
