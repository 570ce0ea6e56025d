// The surfaces, the 3D device and the scene-graph device, made for the display mode in force.
#include <cstdio>
#include <cstring>

#include "base/report_error.h"
#include "platform/direct3d.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/bmp_surface.h"
#include "shell/devices.h"
#include "shell/direct_x.h"
#include "shell/display_modes.h"
#include "shell/messages.h"
#include "shell/status_displays.h"

using platform::Failed;

namespace {

int Fail(const char* text) {
    platform::MessageBox(text, ErrorCaption, platform::MB_OK);
    return 0;
}

// The depth (in bits) of the first of 32, 24, 16 and 8 that the capability bits list; 0 for none.
uint32_t DeepestZBuffer(uint32_t depths) {
    if (depths & platform::DDBD_32) return 32;
    if (depths & platform::DDBD_24) return 24;
    if (depths & platform::DDBD_16) return 16;
    if (depths & platform::DDBD_8) return 8;
    return 0;
}

bool Software(const DriverRecord& driver) { return driver.hardware.colorModel == 0; }

}  // namespace

int ReadSurfaceDesc(platform::SurfaceDesc* desc, platform::Surface* surface) {
    *desc = platform::SurfaceDesc{};
    if (Failed(surface->GetSurfaceDesc(desc))) return Fail(SurfaceDescFailedText);
    return 1;
}

void SaveRestoreWindowStyle(platform::Hwnd window) {
    SavedWindowStyle = platform::GetWindowLong(window, platform::GWL_STYLE);
    if (SavedWindowStyle & platform::WS_THICKFRAME) {
        platform::SetWindowLong(window, platform::GWL_STYLE,
                                SavedWindowStyle & ~platform::WS_THICKFRAME);
    }
}

int CreateWindowSurfaces() {
    platform::SurfaceDesc front;
    front.flags = platform::DDSD_CAPS;
    front.caps = platform::DDSCAPS_PRIMARYSURFACE | platform::DDSCAPS_3DDEVICE;
    if (Failed(DDrawObject->CreateSurface(front, &FrontBuffer))) return Fail(FrontBufferFailedText);

    platform::SurfaceDesc back;
    back.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    back.width = static_cast<uint32_t>(DisplayWidth);
    back.height = static_cast<uint32_t>(DisplayHeight);
    back.caps = platform::DDSCAPS_OFFSCREENPLAIN | platform::DDSCAPS_3DDEVICE;
    if (SystemMemorySurfaces) back.caps |= platform::DDSCAPS_SYSTEMMEMORY;
    if (Failed(DDrawObject->CreateSurface(back, &BackBuffer))) return Fail(BackBufferFailedText);
    platform::SurfaceDesc desc;
    if (!ReadSurfaceDesc(&desc, BackBuffer)) return 0;

    if (!FullScreen) {
        if (Failed(DDrawObject->CreateClipper(0, &Clipper))) return Fail(CreateClipperFailedText);
        if (Failed(Clipper->SetHWnd(0, MainWindow))) return Fail(ClipperSetHWndFailedText);
        if (Failed(FrontBuffer->SetClipper(Clipper))) return Fail(SetClipperFailedText);
    }
    return 1;
}

int SetDisplayModeAndWindow() {
    if (FullScreen) {
        SaveRestoreWindowStyle(MainWindow);
        ModeSwitching = 1;
        platform::HResult r = DDrawObject->SetDisplayMode(static_cast<uint32_t>(DisplayWidth),
                                                          static_cast<uint32_t>(DisplayHeight),
                                                          static_cast<uint32_t>(DisplayBpp));
        ModeSwitching = 0;
        if (Failed(r)) {
            FullScreen = 0;
            char text[ReportBufferSize];
            std::snprintf(text, sizeof text, SetDisplayModeFailedText, DisplayWidth, DisplayHeight,
                          DisplayBpp);
            return Fail(text);
        }
        WindowRect = platform::Rect{0, 0, DisplayWidth, DisplayHeight};
    } else {
        if (!PrimaryDevice) return Fail(NonPrimaryWindowText);
        ModeSwitching = 1;
        uint32_t style = platform::GetWindowLong(MainWindow, platform::GWL_STYLE);
        style = (style & ~platform::WS_POPUP) | platform::WS_CAPTION | platform::WS_THICKFRAME;
        platform::SetWindowLong(MainWindow, platform::GWL_STYLE, style);
        platform::Rect frame{0, 0, DisplayWidth, DisplayHeight};
        platform::AdjustWindowRectEx(&frame, style, false,
                                     platform::GetWindowLong(MainWindow, platform::GWL_EXSTYLE));
        platform::SetWindowPos(
            MainWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
            platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
        platform::SetWindowPos(
            MainWindow, platform::HWND_NOTOPMOST, 0, 0, 0, 0,
            platform::SWP_NOMOVE | platform::SWP_NOSIZE | platform::SWP_NOACTIVATE);
        ModeSwitching = 0;
        platform::Rect client;
        platform::GetClientRect(MainWindow, &client);
        platform::Point topLeft{client.left, client.top};
        platform::Point bottomRight{client.right, client.bottom};
        platform::ClientToScreen(MainWindow, &topLeft);
        platform::ClientToScreen(MainWindow, &bottomRight);
        WindowRect = platform::Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }

    if (!CreateWindowSurfaces()) return 0;
    platform::SurfaceDesc desc;
    if (!ReadSurfaceDesc(&desc, BackBuffer)) return 0;
    // The display palette's picture is read anew with every mode; the earlier copy goes.
    if (OverlaySurfaces[0]) {
        OverlaySurfaces[0]->Release();
        OverlaySurfaces[0] = nullptr;
    }
    if (!LoadBmpSurface(PaletteFileName, DDrawObject, &OverlaySurfaces[0], &PaletteTable[0])) {
        QuitAppAfterFault();
        return 0;
    }
    BackBuffer->SetPalette(PaletteTable[0]);
    if (Failed(FrontBuffer->SetPalette(PaletteTable[0]))) return Fail(SetPaletteFailedText);
    return CreateStatusSurfaces();
}

platform::HResult EnumD3DDevicesCallback(platform::Guid* guid, const char* description,
                                         const char* name, platform::D3DDeviceDesc* hardware,
                                         platform::D3DDeviceDesc* software, void* context) {
    int& chosen = *static_cast<int*>(context);
    if (DriverCount >= MaxDrivers) return platform::DDENUMRET_CANCEL;
    DriverRecord& d = Drivers[DriverCount];
    std::snprintf(d.description, sizeof d.description, "%s", description);
    std::snprintf(d.name, sizeof d.name, "%s", name);
    d.hardware = *hardware;
    d.software = *software;
    d.guid = *guid;

    // Hardware beats software; among hardware drivers RGB wins, among software ones MONO.
    bool take = chosen < 0;
    if (!take) {
        const DriverRecord& current = Drivers[chosen];
        if (hardware->colorModel != 0) {
            take = Software(current) || ((hardware->colorModel & platform::D3DCOLOR_RGB) &&
                                         (current.hardware.colorModel & platform::D3DCOLOR_MONO));
        } else if (Software(current)) {
            take = current.software.colorModel == 0 ||
                   ((software->colorModel & platform::D3DCOLOR_MONO) &&
                    (current.software.colorModel & platform::D3DCOLOR_RGB));
        }
    }
    if (take) chosen = DriverCount;
    ++DriverCount;
    return DriverCount < MaxDrivers ? platform::DDENUMRET_OK : platform::DDENUMRET_CANCEL;
}

int CreateD3D() {
    if (Failed(platform::QueryDirect3D(DDrawObject, &D3DObject))) return Fail(CreateD3DFailedText);
    if (!DriversListed) {
        DriversListed = 1;
        DriverCount = 0;
        int chosen = -1;
        if (Failed(D3DObject->EnumDevices(EnumD3DDevicesCallback, &chosen)) || chosen < 0) {
            return Fail(EnumDevicesFailedText);
        }
        ChosenDriver = chosen;
    }
    return 1;
}

int CreateZBuffer(uint32_t memoryCaps) {
    const DriverRecord& driver = Drivers[ChosenDriver];
    uint32_t depth = (driver.hardware.flags & platform::D3DDD_DEVICEZBUFFERBITDEPTH)
                         ? DeepestZBuffer(driver.hardware.deviceZBufferBitDepth)
                         : DeepestZBuffer(driver.software.deviceZBufferBitDepth);
    if (depth == 0) return 0;
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT |
                 platform::DDSD_ZBUFFERBITDEPTH;
    desc.width = static_cast<uint32_t>(DisplayWidth);
    desc.height = static_cast<uint32_t>(DisplayHeight);
    desc.zBufferBitDepth = depth;
    desc.caps = platform::DDSCAPS_ZBUFFER | memoryCaps;
    if (Failed(DDrawObject->CreateSurface(desc, &ZBuffer))) {
        return Fail(FullScreen ? FullScreenZBufferFailedText : WindowZBufferFailedText);
    }
    if (Failed(BackBuffer->AddAttachedSurface(ZBuffer))) {
        return Fail(FullScreen ? FullScreenZAttachFailedText : WindowZAttachFailedText);
    }
    return 1;
}

int CreateD3DDevice() {
    const DriverRecord& driver = Drivers[ChosenDriver];
    const bool software = Software(driver);
    const platform::D3DDeviceDesc chosen = software ? driver.software : driver.hardware;
    if (!CreateZBuffer(software ? platform::DDSCAPS_SYSTEMMEMORY : platform::DDSCAPS_VIDEOMEMORY)) {
        return 0;
    }
    if (Failed(platform::CreateDirect3DDevice(BackBuffer, driver.guid, &D3DDevice))) {
        return Fail(CreateD3DDeviceFailedText);
    }

    const DisplayMode remembered = DisplayModes[ChosenDisplayMode];
    if (!EnumerateDisplayModes()) return 0;
    if (FullScreen) {
        int found = -1;
        for (int i = 0; i < DisplayModeCount; ++i) {
            const DisplayMode& m = DisplayModes[i];
            if (m.width == remembered.width && m.height == remembered.height &&
                m.bpp == remembered.bpp) {
                found = i;
                break;
            }
        }
        if (found < 0) return Fail(ModeNotSupportedText);
        ChosenDisplayMode = found;
    }

    if (!(chosen.colorModel & ColorModel)) ColorModel = chosen.colorModel;

    if (Failed(D3DObject->CreateViewport(&D3DViewport))) return Fail(CreateD3DViewportFailedText);
    if (Failed(D3DDevice->AddViewport(D3DViewport))) return Fail(AddD3DViewportFailedText);
    platform::D3DViewportDesc viewport;
    viewport.width = static_cast<uint32_t>(WindowRect.right - WindowRect.left);
    viewport.height = static_cast<uint32_t>(WindowRect.bottom - WindowRect.top);
    viewport.scaleX = viewport.width / 2.0f;
    viewport.scaleY = viewport.height / 2.0f;
    viewport.maxX = 1.0f;
    viewport.maxY = 1.0f;
    if (Failed(D3DViewport->SetViewport(&viewport))) return Fail(SetViewportFailedText);
    return FormatInfo();
}

void DeviceUpdateCallback(platform::RmDevice*, void*, int32_t count, const platform::Rect* rects) {
    DirtyRect = platform::Rect{};
    for (int32_t i = 0; i < count; ++i) {
        DirtyRect = i == 0 ? rects[i] : platform::Bounding(DirtyRect, rects[i]);
    }
}

int CreateD3DRMDevice() {
    if (Failed(RMObject->CreateDeviceFromSurface(BackBuffer, &RMDevice))) {
        return Fail(CreateRMDeviceFailedText);
    }
    RMDevice->AddRef();  // the window view is the same device
    RMWinDevice = RMDevice;
    if (Failed(RMDevice->AddUpdateCallback(DeviceUpdateCallback, nullptr))) {
        return Fail(AddUpdateCallbackFailedText);
    }
    if (Failed(RMDevice->SetDither(false))) return Fail(SetDitherOffFailedText);
    if (Failed(RMDevice->SetQuality(RenderQuality))) return Fail(SetQualityFailedText);
    if (Failed(RMDevice->SetTextureQuality(TextureQuality)))
        return Fail(SetTextureQualityFailedText);
    if (Failed(RMDevice->SetDither(DitherMode != 0))) return Fail(SetDitherFailedText);

    if (!SceneFrame) {
        if (Failed(RMObject->CreateFrame(nullptr, &SceneFrame))) return Fail(SceneFrameFailedText);
        if (Failed(RMObject->CreateFrame(SceneFrame, &CameraFrame))) {
            return Fail(CameraFrameFailedText);
        }
    }
    const int32_t w = static_cast<int32_t>(RMDevice->GetWidth());
    const int32_t h = static_cast<int32_t>(RMDevice->GetHeight());
    if (Failed(RMObject->CreateViewport(RMDevice, CameraFrame, 0, 0, w - w / 4, h - h / 4,
                                        &RMViewport))) {
        return Fail(CreateRMViewportFailedText);
    }
    if (Failed(RMViewport->SetBack(ViewportBackDistance))) return Fail(SetBackFailedText);
    return 1;
}

int CreateDevices() {
    if (!SetDisplayModeAndWindow()) return 0;
    if (!CreateD3D()) return 0;
    if (!CreateD3DDevice()) return 0;
    if (!CreateD3DRMDevice()) return 0;
    return ResetFrameRate();
}
