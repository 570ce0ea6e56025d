// The drawing object and the scene-graph object: the first two set-up steps.
#include "shell/ddraw_setup.h"
#include "platform/direct_draw.h"
#include "platform/draw_constants.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/direct_x.h"
#include "shell/messages.h"

namespace {

int Fail(const char* text) {
    platform::MessageBox(text, ErrorCaption, platform::MB_OK);
    return 0;
}

}  // namespace

int EnumDirectDrawCallback(platform::Guid* guid, const char*, const char*, void*) {
    if (!guid) return platform::DDENUMRET_OK;  // the primary device
    platform::DirectDraw* device = nullptr;
    if (platform::Failed(platform::DirectDrawCreate(guid, &device))) {
        Fail(DDDeviceCreateFailedText);
        return platform::DDENUMRET_OK;
    }
    platform::DDCaps driver, emulation;
    if (platform::Failed(device->GetCaps(&driver, &emulation))) {
        Fail(DDDeviceGetCapsFailedText);
        device->Release();
        return platform::DDENUMRET_OK;
    }
    if (driver.caps & platform::DDCAPS_3D) {
        SecondaryDeviceGuid = *guid;
        SecondaryDriverCaps = driver;
        PrimaryDevice = 0;
        DDrawObject = device;
        return platform::DDENUMRET_CANCEL;
    }
    PrimaryDevice = 1;
    device->Release();
    return platform::DDENUMRET_OK;
}

int CheckDriverCaps() {
    platform::DDCaps driver, emulation;
    if (platform::Failed(DDrawObject->GetCaps(&driver, &emulation))) {
        return Fail(CheckDriverCapsFailedText);
    }
    return 1;
}

int InitDirectDraw() {
    if (!DirectDrawEnumerated) {
        DirectDrawEnumerated = 1;
        if (platform::Failed(platform::DirectDrawEnumerate(EnumDirectDrawCallback, nullptr))) {
            return Fail(DDEnumerateFailedText);
        }
        if (!DDrawObject) {
            PrimaryDevice = 1;
            if (platform::Failed(platform::DirectDrawCreate(nullptr, &DDrawObject))) {
                return Fail(DDCreateFailedText);
            }
        }
    } else {
        const platform::Guid* guid = PrimaryDevice ? nullptr : &SecondaryDeviceGuid;
        if (platform::Failed(platform::DirectDrawCreate(guid, &DDrawObject))) {
            return Fail(DDCreateFailedText);
        }
    }

    if (!PrimaryDevice) {
        // A separate 3D board works in full screen only, in the largest mode listed; before any
        // mode is listed the current mode stays.
        FullScreen = WasFullScreen = 1;
        if (DisplayModeCount > 0) {
            ChosenDisplayMode = DisplayModeCount - 1;
            DisplayWidth = DisplayModes[ChosenDisplayMode].width;
            DisplayHeight = DisplayModes[ChosenDisplayMode].height;
            DisplayBpp = DisplayModes[ChosenDisplayMode].bpp;
        }
    }

    if (FullScreen) {
        ModeSwitching = 1;
        platform::HResult r = DDrawObject->SetCooperativeLevel(
            MainWindow, platform::DDSCL_EXCLUSIVE | platform::DDSCL_FULLSCREEN);
        ModeSwitching = 0;
        if (platform::Failed(r)) {
            FullScreen = 0;
            return Fail(SetCooperativeLevelFailedText);
        }
    } else if (platform::Failed(
                   DDrawObject->SetCooperativeLevel(MainWindow, platform::DDSCL_NORMAL))) {
        return Fail(SetCooperativeLevelFailedText);
    }

    if (!CheckDriverCaps()) return 0;
    platform::SurfaceDesc mode;
    if (platform::Failed(DDrawObject->GetDisplayMode(&mode))) return Fail(GetDisplayModeFailedText);
    return 1;
}

int CreateD3DRM() {
    if (platform::Failed(platform::RetainedMode::Create(&RMObject))) {
        return Fail(CreateD3DRMFailedText);
    }
    return 1;
}
