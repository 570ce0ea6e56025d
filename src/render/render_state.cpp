#include "render/render_state.h"

uint8_t* FrameBuffer = nullptr;
int ViewLeft = 0;
int ViewTop = 0;
int ViewWidth = 0;
int ViewHeight = 0;
int RowSkip = 0;
int ScreenCentreX = 0;
int ScreenCentreY = 0;
int ViewCentreX = 0;
int ViewCentreY = 0;

Fixed16 FullClipLeft = 0;
Fixed16 FullClipTop = 0;
Fixed16 FullClipRight = 0;
Fixed16 FullClipBottom = 0;
Fixed16 ClipLeft = 0;
Fixed16 ClipTop = 0;
Fixed16 ClipRight = 0;
Fixed16 ClipBottom = 0;

Fixed16 ViewAspect = FixedOne;
Fixed16 ProjectionScaleX = 0;
Fixed16 ProjectionScaleY = 0;

Fixed16 CameraX = 0;
Fixed16 CameraY = 0;
Fixed16 CameraZ = 0;
Angle16 CameraYaw = 0;
int16_t CameraYawSin = 0;
int16_t CameraYawCos = 32767;

int RenderStatus = 0;

PolygonVertex WorkingPolygon[PolygonCapacity] = {};
PolygonVertex ViewPolygon[PolygonCapacity] = {};
int PolygonCount = 0;
FixedVector ViewCorners[4] = {};
int VertexLightingOn = 1;

int16_t EdgeMin[EdgeTableSize] = {};
int16_t EdgeMax[EdgeTableSize] = {};
Fixed16 EdgeMinLight[EdgeTableSize] = {};
Fixed16 EdgeMaxLight[EdgeTableSize] = {};
int EdgeRangeMin = EdgeRangeEmptyMin;
int EdgeRangeMax = EdgeRangeEmptyMax;

void ResetEdgeRange() {
    EdgeRangeMin = EdgeRangeEmptyMin;
    EdgeRangeMax = EdgeRangeEmptyMax;
}

TextureSource WallTexture = {};
TextureSource FloorTexture = {};
int TextureRunLength = 0;
int TextureTransparent = 0;
int TextureLightMap = 0;
uint8_t CurrentFaceFlags = 0;
uint16_t TextureOffsetU = 0;
uint16_t TextureOffsetV = 0;
int16_t WallLengthUnits = 0;
FixedVector ViewPlaneNormal = {};
uint8_t LineBuffer[LineBufferSize] = {};

int Brightness = 16;
uint8_t* ShadeTable = nullptr;
uint8_t* BlendTable = nullptr;
const uint32_t* StippleMasks = nullptr;
