#include <gtest/gtest.h>

#include "platform/direct3d.h"
#include "platform/draw_constants.h"

using namespace platform;

namespace {

struct Listed {
    int count = 0;
    Guid guid;
    D3DDeviceDesc hardware;
    D3DDeviceDesc software;
};

HResult Note(Guid* guid, const char*, const char*, D3DDeviceDesc* hw, D3DDeviceDesc* sw,
             void* context) {
    auto* listed = static_cast<Listed*>(context);
    ++listed->count;
    listed->guid = *guid;
    listed->hardware = *hw;
    listed->software = *sw;
    return DDENUMRET_OK;
}

Surface* MakeSurface(DirectDraw* dd, uint32_t caps) {
    SurfaceDesc d;
    d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.caps = caps;
    d.width = 64;
    d.height = 48;
    Surface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(d, &s), DD_OK);
    return s;
}

TEST(Direct3D, OneSoftwareDriverMakesDevicesOn3DSurfacesAndCountsTheirTriangles) {
    DirectDraw* dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd), DD_OK);
    Direct3D* d3d = nullptr;
    ASSERT_EQ(QueryDirect3D(dd, &d3d), DD_OK);
    Listed listed;
    ASSERT_EQ(d3d->EnumDevices(Note, &listed), DD_OK);
    ASSERT_EQ(listed.count, 1);
    EXPECT_EQ(listed.hardware.colorModel, 0u);
    EXPECT_EQ(listed.software.colorModel, D3DCOLOR_MONO);
    EXPECT_NE(listed.software.deviceRenderBitDepth & DDBD_8, 0u);
    EXPECT_NE(listed.software.deviceZBufferBitDepth & DDBD_16, 0u);

    Surface* plain = MakeSurface(dd, DDSCAPS_OFFSCREENPLAIN);
    Surface* back = MakeSurface(dd, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
    Direct3DDevice* device = nullptr;
    EXPECT_EQ(CreateDirect3DDevice(plain, listed.guid, &device), DDERR_INVALIDCAPS);
    EXPECT_EQ(CreateDirect3DDevice(back, Guid{}, &device), DDERR_INVALIDDIRECTDRAWGUID);
    CountTrianglesDrawn(5);  // before the device: not its own
    ASSERT_EQ(CreateDirect3DDevice(back, listed.guid, &device), DD_OK);
    CountTrianglesDrawn(120);
    D3DStats stats;
    ASSERT_EQ(device->GetStats(&stats), DD_OK);
    EXPECT_EQ(stats.trianglesDrawn, 120u);

    Direct3DViewport* viewport = nullptr;
    ASSERT_EQ(d3d->CreateViewport(&viewport), DD_OK);
    ASSERT_EQ(device->AddViewport(viewport), DD_OK);
    D3DViewportDesc vd;
    vd.width = 640;
    vd.height = 480;
    vd.scaleX = 320;
    ASSERT_EQ(viewport->SetViewport(&vd), DD_OK);
    D3DViewportDesc back_;
    ASSERT_EQ(viewport->GetViewport(&back_), DD_OK);
    EXPECT_EQ(back_.width, 640u);

    // Released in the shell's order: viewport, device, surfaces, 3D object, drawing object.
    viewport->Release();
    device->Release();
    back->Release();
    plain->Release();
    d3d->Release();
    dd->Release();
}

}  // namespace
