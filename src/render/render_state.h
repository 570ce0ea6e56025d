#pragma once
// The software renderer's state: every drawing call sets what it needs here and the
// span fillers read it. Values stay until the next call overwrites them.
#include <cstdint>

#include "base/fixed.h"
#include "render/limits.h"

struct Bitmap;

// {left, top, right, bottom}, inclusive, in screen pixels.
struct RenderRect {
    int left;
    int top;
    int right;
    int bottom;
};

// {x, y, width, height} in screen pixels.
struct ScreenRect {
    int x;
    int y;
    int width;
    int height;
};

// ---- The bound frame buffer and the view (set per frame) ----
extern uint8_t* FrameBuffer;  // first byte of the buffer, not offset by the view's left and top
extern int ViewLeft;
extern int ViewTop;
extern int ViewWidth;
extern int ViewHeight;
extern int RowSkip;  // pitch minus ViewWidth; fillers step rows by ViewWidth + RowSkip
extern int ScreenCentreX;
extern int ScreenCentreY;
extern int ViewCentreX;  // projection centre: ScreenCentreX
extern int ViewCentreY;  // projection centre: ScreenCentreY minus the horizon offset

// Bounds in Fixed16 pixels relative to the view centre, inclusive.
extern Fixed16 FullClipLeft;
extern Fixed16 FullClipTop;
extern Fixed16 FullClipRight;
extern Fixed16 FullClipBottom;
extern Fixed16 ClipLeft;
extern Fixed16 ClipTop;
extern Fixed16 ClipRight;
extern Fixed16 ClipBottom;

extern Fixed16 ViewAspect;
extern Fixed16 ProjectionScaleX;  // screen pixels per unit of x/z
extern Fixed16 ProjectionScaleY;  // screen pixels per unit of y/z

// ---- Camera (turns about the vertical axis only) ----
extern Fixed16 CameraX;
extern Fixed16 CameraY;
extern Fixed16 CameraZ;
extern Angle16 CameraYaw;
extern int16_t CameraYawSin;
extern int16_t CameraYawCos;

// ---- Status word of the last polygon or sprite ----
constexpr int StatusNear = 0x01;
constexpr int StatusLeft = 0x02;
constexpr int StatusRight = 0x04;
constexpr int StatusTop = 0x08;
constexpr int StatusBottom = 0x10;
constexpr int StatusDrawn = 0x20;
extern int RenderStatus;

// ---- Polygons ----
// x, y, z: world, then view space, then (after projection) x and y in Fixed16 screen
// pixels relative to the view centre; light: level 0..63.0.
struct PolygonVertex {
    Fixed16 x;
    Fixed16 y;
    Fixed16 z;
    Fixed16 light;
};
extern PolygonVertex WorkingPolygon[PolygonCapacity];
extern PolygonVertex ViewPolygon[PolygonCapacity];
extern int PolygonCount;
// The last transformed polygon's first four view-space corners, read by the fillers.
extern FixedVector ViewCorners[4];
extern int VertexLightingOn;  // the frustum clipper lights vertices only while set

// ---- Edge tables: indexed by absolute screen column (walls) or row (floors) ----
extern int16_t EdgeMin[EdgeTableSize];  // minor coordinate relative to the view centre
extern int16_t EdgeMax[EdgeTableSize];
extern Fixed16 EdgeMinLight[EdgeTableSize];
extern Fixed16 EdgeMaxLight[EdgeTableSize];
extern int EdgeRangeMin;  // twice the lowest index filled; EdgeRangeEmptyMin when empty
extern int EdgeRangeMax;  // twice the highest index filled; EdgeRangeEmptyMax when empty
void ResetEdgeRange();

// ---- Current texture and face ----
// The texture a filler reads: pixels (bitmap + 8), last row and last column.
struct TextureSource {
    const Bitmap* bitmap;
    const uint8_t* pixels;
    uint16_t lastRow;
    uint16_t lastColumn;
};
extern TextureSource WallTexture;   // column-major: column u starts at pixels + u * (lastRow + 1)
extern TextureSource FloorTexture;  // row-major: row v starts at pixels + v * (lastColumn + 1)
extern int TextureRunLength;        // the bitmap's lines are run-length coded
extern int TextureTransparent;      // texel 0 leaves the destination pixel
extern int TextureLightMap;         // texels are shade rows applied to the destination (walls)
extern uint8_t CurrentFaceFlags;
extern uint16_t TextureOffsetU;
extern uint16_t TextureOffsetV;
extern int16_t WallLengthUnits;      // the wall quad's first edge in whole world units
extern FixedVector ViewPlaneNormal;  // the current face's unit normal in view space
extern uint8_t LineBuffer[LineBufferSize];

// Face flags of quads and cube faces.
constexpr uint8_t FaceTranslucent = 0x01;
constexpr uint8_t FaceWorldAnchored = 0x08;
constexpr uint8_t FaceAligned = 0x20;
constexpr uint8_t FaceMirrorFirstEdge = 0x40;
constexpr uint8_t FaceMirrorSecondEdge = 0x80;

// ---- Light and colour tables ----
extern int Brightness;  // 128 = 1.0; 16 at start
// 64 rows (light level) of 256 palette indices, starting at a 256-byte boundary.
extern uint8_t* ShadeTable;
// 256 x 256: row the shaded source texel, column the destination pixel. Nothing fills it.
extern uint8_t* BlendTable;
// 32 row masks for stippled sprites. Nothing fills it.
extern const uint32_t* StippleMasks;
