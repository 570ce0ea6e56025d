// Flags and capability bits of the 8-bit drawing services, with their customary numeric values.
#pragma once
#include <cstdint>

namespace platform {

// Surface description fields that are valid (SurfaceDesc::flags).
constexpr uint32_t DDSD_CAPS = 0x00000001;
constexpr uint32_t DDSD_HEIGHT = 0x00000002;
constexpr uint32_t DDSD_WIDTH = 0x00000004;
constexpr uint32_t DDSD_PITCH = 0x00000008;
constexpr uint32_t DDSD_ZBUFFERBITDEPTH = 0x00000040;
constexpr uint32_t DDSD_LPSURFACE = 0x00000800;
constexpr uint32_t DDSD_PIXELFORMAT = 0x00001000;
constexpr uint32_t DDSD_CKSRCBLT = 0x00010000;

// Surface capabilities.
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr uint32_t DDSCAPS_TEXTURE = 0x00001000;
constexpr uint32_t DDSCAPS_3DDEVICE = 0x00002000;
constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x00004000;
constexpr uint32_t DDSCAPS_ZBUFFER = 0x00020000;

// Pixel format flags.
constexpr uint32_t DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr uint32_t DDPF_RGB = 0x00000040;

// Bit depths as capability bits.
constexpr uint32_t DDBD_8 = 0x00000800;
constexpr uint32_t DDBD_16 = 0x00000400;
constexpr uint32_t DDBD_24 = 0x00000200;
constexpr uint32_t DDBD_32 = 0x00000100;

// Lock.
constexpr uint32_t DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr uint32_t DDLOCK_WAIT = 0x00000001;

// Blt.
constexpr uint32_t DDBLT_COLORFILL = 0x00000400;
constexpr uint32_t DDBLT_KEYSRC = 0x00008000;
constexpr uint32_t DDBLT_WAIT = 0x01000000;

// BltFast.
constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x00000000;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x00000001;
constexpr uint32_t DDBLTFAST_WAIT = 0x00000010;

// Colour keys.
constexpr uint32_t DDCKEY_SRCBLT = 0x00000008;

// Palettes.
constexpr uint32_t DDPCAPS_8BIT = 0x00000004;
constexpr uint32_t DDPCAPS_ALLOW256 = 0x00000040;
constexpr uint8_t D3DPAL_FREE = 0x00;
constexpr uint8_t D3DPAL_READONLY = 0x40;

// Cooperative levels.
constexpr uint32_t DDSCL_FULLSCREEN = 0x00000001;
constexpr uint32_t DDSCL_NORMAL = 0x00000008;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x00000010;

// Driver capabilities.
constexpr uint32_t DDCAPS_3D = 0x00000001;
constexpr uint32_t DDCAPS_BLT = 0x00000040;
constexpr uint32_t DDCAPS_BLTSTRETCH = 0x00000200;
constexpr uint32_t DDCAPS_COLORKEY = 0x00400000;
constexpr uint32_t DDCAPS_BLTCOLORFILL = 0x04000000;

}  // namespace platform
