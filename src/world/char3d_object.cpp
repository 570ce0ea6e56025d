#include "world/char3d_object.h"

#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "platform/draw_constants.h"
#include "platform/rm_frame.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "render/view.h"
#include "world/cube.h"
#include "world/messages.h"

int Char3DObject::Draw() {
    if (!frame || !BackBuffer || !RMViewport) {
        return 0;
    }
    BackBuffer->Unlock();
    frame->SetColor(Char3DColour);
    frame->SetMaterialMode(platform::D3DRMMATERIAL_FROMFRAME);
    // Only inside the window of the room being drawn, so that the rooms and cubes drawn later,
    // nearer the eye, cover the character as they cover the walls behind it.
    const RenderRect window = ClipWindow();
    const platform::Rect clip{window.left, window.top, window.right + 1, window.bottom + 1};
    RMViewport->Render(frame, &clip);
    platform::SurfaceDesc desc;
    return BackBuffer->Lock(nullptr, &desc, platform::DDLOCK_WAIT) == platform::DD_OK ? 1 : 0;
}

void Char3DObject::SetPosition(platform::RmFrame* reference, Fixed16 x, Fixed16 y, Fixed16 z) {
    centre = {x, y, z};
    if (frame) {
        frame->SetPosition(reference, FixedToFloat(x), FixedToFloat(y), FixedToFloat(z));
    }
    Cube* next = cube ? cube->FindCubeFrom(x, z) : FindCubeAt(x, z);
    if (!next || next == cube) {
        return;
    }
    AppendObject(*next, this);
    if (cube) {
        RemoveObject(*cube, this);
    }
    cube = next;
}

int CreateChar3DObject(platform::RmFrame* frame, Char3DObject** out) {
    if (ObjectCount >= MaxMapObjects) {
        return 0;
    }
    const int id = ObjectCount++;  // used up even by a character that cannot be placed
    platform::RmVector position{};
    frame->GetPosition(SceneFrame, &position);
    const Fixed16 x = WorldToFixed(position.x), y = WorldToFixed(position.y),
                  z = WorldToFixed(position.z);
    Cube* cube = FindCubeAt(x, z);
    if (!cube) {
        // Made only once it has a cube: every object in the table is listed in a cube, which
        // the level reset frees, so an object of a cube file that takes the slot later loses
        // nothing.
        ReportError("%s", Char3DOutsideText);
        QuitAppAfterFault();
        return 0;
    }
    Char3DObject* character = new Char3DObject;
    character->frame = frame;
    character->type = Char3DType;
    character->id = id;
    MapObjectTable[id] = character;
    character->cube = cube;
    AppendObject(*cube, character);
    character->SetPosition(SceneFrame, x, y, z);
    *out = character;
    return 1;
}

int SetObjectPosition(Char3DObject* character, float x, float y, float z) {
    character->SetPosition(SceneFrame, WorldToFixed(x), WorldToFixed(y), WorldToFixed(z));
    return 1;
}

void PlaceLevelCharacter(Cube& cube, Fixed16 x, Fixed16 y, Fixed16 z) {
    platform::RmFrame* frame = platform::RmFrame::Create(SceneFrame);
    if (WorldFrame) {
        WorldFrame->Release();  // the scene keeps the earlier character's frame
    }
    WorldFrame = frame;
    Char3DObject* character = new Char3DObject;
    character->frame = frame;
    character->type = Char3DType;
    character->id = -1;  // no slot in MapObjectTable: a click on it names no object
    character->cube = &cube;
    AppendObject(cube, character);
    character->SetPosition(SceneFrame, x, y, z);
    const float scale = WorldScale * Char3DScale;
    frame->AddScale(platform::D3DRMCOMBINE_BEFORE, scale, scale, scale);
}
