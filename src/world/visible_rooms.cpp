#include "world/visible_rooms.h"

#include "base/graphics_objects.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "render/face.h"
#include "render/polygon.h"
#include "render/view.h"
#include "world/cube.h"
#include "world/limits.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/texture_table.h"

int ShowFaces = 1;
int ShowObjects = 1;

void ResetViewSwitches() { ShowFaces = ShowObjects = 1; }

namespace {

// ---- Drawing one cube ----

// Fills the face record for face slot f with the corners in the order given and draws it.
void DrawCubeFace(const Cube& cube, int f, const FixedVector* const corners[4], uint8_t flags) {
    FaceRecord face;
    face.texOrigin = cube.texU[f];
    face.texUEnd = cube.texV[f];
    face.texVEnd = cube.texW[f];
    for (int i = 0; i < 4; ++i) {
        face.corners[i] = *corners[i];
    }
    face.viewNormal = {static_cast<float>(cube.normal[f].x / 65536.0),
                       static_cast<float>(cube.normal[f].y / 65536.0),
                       static_cast<float>(cube.normal[f].z / 65536.0)};
    face.bitmap = TextureAt(cube.texture[f]);
    face.vOffset = 0;
    face.uOffset = 0;
    face.flags = flags;
    face.brightness = FaceBrightness;
    DrawFace(&face);
}

bool Textured(const Cube& cube, int f) { return cube.texture[f] != OpenFace; }

void DrawCeiling(const Cube& cube) {
    const FixedVector* corners[4] = {&cube.Top(0), &cube.Top(1), &cube.Top(2), &cube.Top(3)};
    const bool level = corners[0]->y == corners[1]->y && corners[1]->y == corners[2]->y;
    DrawCubeFace(cube, CeilingSlot, corners,
                 level ? static_cast<uint8_t>(cube.faceFlags[CeilingSlot]) : SlopedFaceFlags);
}

void DrawFloor(const Cube& cube) {
    FloorShapeResult shape;
    if (!FloorShape(cube, shape)) {
        return;
    }
    const FixedVector* corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i] = &cube.Bottom(shape.first + i);
    }
    DrawCubeFace(cube, FloorSlot, corners, shape.flags);
}

// A side with a face: not degenerate, textured and of some height.
bool SideDrawn(const Cube& cube, int k) {
    const int next = (k + 1) & 3;
    const bool zeroHeight = cube.top[k] == cube.bottom[k] && cube.top[next] == cube.bottom[next];
    return !cube.Degenerate(k) && Textured(cube, k) && !zeroHeight;
}

void DrawSide(const Cube& cube, int k) {
    const FixedVector* corners[4] = {&cube.Top(k), &cube.Top(k + 1), &cube.Bottom(k + 1),
                                     &cube.Bottom(k)};
    DrawCubeFace(cube, k, corners, static_cast<uint8_t>(cube.faceFlags[k]));
}

// ---- The walks ----

// Whether side i of the cube is one of the room's exits.
bool IsExit(const Room& room, const Cube* cube, int i) {
    for (int e = 0; e < room.exitCount; ++e) {
        if (room.exitCube[e] == cube && room.exitSide[e] == i) {
            return true;
        }
    }
    return false;
}

// Puts an unvisited cube of the room on the room's next cube node. Cubes of other rooms are
// kept out (they are drawn with their own room), and a full list takes no more.
void AddCubeNode(Room& room, Cube* cube) {
    if (cube->visited || cube->room != &room || !room.cubeNodesCursor->next) {
        return;
    }
    room.cubeNodesCursor = room.cubeNodesCursor->next;
    room.cubeNodesCursor->cube = cube;
    cube->visited = 1;
}

// Adds the cubes beside and above a cube: for the ceiling and sides 3 down to 0 that are not
// exits, the neighbour and the chain of cubes standing on it. Floor links are never followed.
void AddLinkedCubes(Room& room, Cube* cube) {
    for (int i = CeilingSlot; i >= 0; --i) {
        if (i < CubeSides && IsExit(room, cube, i)) {
            continue;
        }
        int steps = 0;
        for (Cube* n = cube->link[i]; n && steps < CubeCount; n = n->link[CeilingSlot], ++steps) {
            AddCubeNode(room, n);
        }
    }
}

// Walks the room's cubes outward from the cube where the eye enters it. A room without a
// start cube gets an empty walk.
void StartCubeWalk(Room& room, Cube* cube) {
    CubeNode* head = room.cubeNodesHead;
    room.cubeNodesCursor = head;
    if (!head) {
        return;
    }
    head->cube = cube;
    if (!cube) {
        return;
    }
    cube->visited = 1;
    for (CubeNode* node = head;; node = node->next) {
        if (node->cube->Floored()) {
            AddLinkedCubes(room, node->cube);
        }
        if (node == room.cubeNodesCursor) {
            break;
        }
    }
}

void HideRoom(Room& room) { room.clip[1] = HiddenClipTop; }

// The clip window of room r seen from room f through f's exit i: the screen rectangle of the
// exit's opening cut to f's window. Without f the whole view.
void ClipThroughExit(Room& r, const Room* f, int i) {
    if (!f) {
        r.clip[0] = 0;
        r.clip[1] = 0;
        r.clip[2] = ViewWidth - 1;
        r.clip[3] = ViewHeight - 1;
        return;
    }
    const Cube* s = f->exitCube[i];
    const int b = f->exitSide[i];
    FixedVector opening[4] = {s->Top(b), s->Top(b + 1), s->Bottom(b + 1), s->Bottom(b)};
    // Through open ceilings the opening reaches up to the first closed one above; the climb
    // stops where no cube stands above.
    const Cube* upper = s;
    for (int steps = 0;
         !Textured(*upper, CeilingSlot) && upper->link[CeilingSlot] && steps < CubeCount; ++steps) {
        upper = upper->link[CeilingSlot];
    }
    if (upper != s) {
        opening[0].y = upper->Top(b).y;
        opening[1].y = upper->Top(b).y;
    }
    ScreenRect rect;
    if (!GetScreenRect(opening, rect)) {
        HideRoom(r);
        return;
    }
    r.clip[0] = rect.x;
    r.clip[1] = rect.y;
    r.clip[2] = rect.x + rect.width - 1;
    r.clip[3] = rect.y + rect.height - 1;
    if (f->clip[2] < r.clip[0] || r.clip[2] < f->clip[0] || f->clip[3] < r.clip[1] ||
        r.clip[3] < f->clip[1]) {
        HideRoom(r);
        return;
    }
    r.clip[0] = r.clip[0] > f->clip[0] ? r.clip[0] : f->clip[0];
    r.clip[1] = r.clip[1] > f->clip[1] ? r.clip[1] : f->clip[1];
    r.clip[2] = r.clip[2] < f->clip[2] ? r.clip[2] : f->clip[2];
    r.clip[3] = r.clip[3] < f->clip[3] ? r.clip[3] : f->clip[3];
}

// Judges every room behind the room's exits that was not reached before, through the first
// exit that reaches it; a visible one joins the list with its cubes walked. An exit with no
// room behind it is skipped.
void FloodExits(Room& room) {
    for (int i = 0; i < room.exitCount; ++i) {
        Room* r = room.exitRoom[i];
        if (!r || r->visited) {
            continue;
        }
        ClipThroughExit(*r, &room, i);
        if (r->clip[1] != HiddenClipTop && VisibleRoomCursor->next) {
            VisibleRoomCursor = VisibleRoomCursor->next;
            VisibleRoomCursor->room = r;
            StartCubeWalk(*r, room.exitCube[i]->link[room.exitSide[i]]);
        }
        r->visited = 1;
    }
}

// Every cube node of this frame's walk of the room, from the head (nearest) to the cursor.
template <class Visit>
bool ForEachWalkedCube(Room& room, Visit visit) {
    for (CubeNode* node = room.cubeNodesHead; node && room.cubeNodesCursor; node = node->next) {
        if (node->cube && visit(*node->cube)) {
            return true;
        }
        if (node == room.cubeNodesCursor) {
            break;
        }
    }
    return false;
}

// The same from the cursor back to the head: farthest first.
template <class Visit>
void ForEachWalkedCubeFarthestFirst(Room& room, Visit visit) {
    if (!room.cubeNodesHead) {
        return;
    }
    for (CubeNode* node = room.cubeNodesCursor; node; node = node->previous) {
        if (node->cube) {
            visit(*node->cube);
        }
        if (node == room.cubeNodesHead) {
            break;
        }
    }
}

// Exchange sort of the cube's objects, nearest to the player first.
void SortObjectsNearestFirst(Cube& cube) {
    for (ObjectListNode* p = cube.objects; p; p = p->next) {
        for (ObjectListNode* q = p->next; q; q = q->next) {
            if (ObjectDistanceKey(*p->object) > ObjectDistanceKey(*q->object)) {
                MapObject* swap = p->object;
                p->object = q->object;
                q->object = swap;
            }
        }
    }
}

bool Hit(PickRecord& pick, Cube& cube, MapObject* object, int kind) {
    if (*pick.pixel == 0) {
        return false;
    }
    pick.cube = &cube;
    pick.object = object;
    pick.kind = kind;
    return true;
}

}  // namespace

bool FloorShape(const Cube& cube, FloorShapeResult& shape) {
    const Fixed16 y0 = cube.Bottom(0).y, y1 = cube.Bottom(1).y, y2 = cube.Bottom(2).y;
    if (y0 == y1 && y1 == y2) {
        shape = {0, static_cast<uint8_t>(cube.faceFlags[FloorSlot])};
    } else if (y0 == y1 && y2 < y1) {
        shape = {0, SlopedFaceFlags};
    } else if (y0 < y1 && y1 == y2) {
        shape = {1, SlopedFaceFlags};
    } else if (y1 < y0 && y1 == y2) {
        shape = {3, SlopedFaceFlags};
    } else if (y0 == y1 && y2 > y1) {
        shape = {2, SlopedFaceFlags};
    } else {
        return false;
    }
    return true;
}

int Cube::Draw() {
    if (ShowFaces) {
        if (Textured(*this, CeilingSlot) && FaceVisible(*this, CeilingSlot)) {
            DrawCeiling(*this);
        }
        if (Floored() && floorClass == 0 && FaceVisible(*this, FloorSlot)) {
            DrawFloor(*this);
        }
        for (int k = 0; k < CubeSides; ++k) {
            if (SideDrawn(*this, k) && FaceVisible(*this, k)) {
                DrawSide(*this, k);
            }
        }
    }
    if (ShowObjects) {
        for (ObjectListNode* node = objects; node; node = node->next) {
            node->object->Draw();
        }
    }
    return 1;
}

int DrawFloorUnderlay(Cube& cube) {
    if (ShowFaces && cube.Floored() && FaceVisible(cube, FloorSlot)) {
        DrawFloor(cube);
    }
    return 1;
}

int Cube::Pick(PickRecord& pick) {
    SortObjectsNearestFirst(*this);
    for (ObjectListNode* node = objects; node; node = node->next) {
        node->object->Draw();
        if (Hit(pick, *this, node->object, PickObject)) {
            return 1;
        }
    }
    if (Textured(*this, CeilingSlot) && FaceVisible(*this, CeilingSlot)) {
        DrawCeiling(*this);
        if (Hit(pick, *this, nullptr, PickCeiling)) {
            return 1;
        }
    }
    if (Floored() && FaceVisible(*this, FloorSlot)) {
        DrawFloor(*this);
        if (Hit(pick, *this, nullptr, PickFloor)) {
            return 1;
        }
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (SideDrawn(*this, k) && FaceVisible(*this, k)) {
            DrawSide(*this, k);
            if (Hit(pick, *this, nullptr, PickSide + k)) {
                return 1;
            }
        }
    }
    return 0;
}

int DrawRoom(Room& room) {
    ForEachWalkedCubeFarthestFirst(room, [](Cube& cube) {
        if (cube.floorClass == 2) {
            DrawFloorUnderlay(cube);
        }
    });
    ForEachWalkedCubeFarthestFirst(room, [](Cube& cube) {
        if (cube.floorClass == 1) {
            DrawFloorUnderlay(cube);
        }
    });
    ForEachWalkedCubeFarthestFirst(room, [](Cube& cube) { cube.Draw(); });
    return 1;
}

int PickInRoom(Room& room, PickRecord& pick) {
    return ForEachWalkedCube(room, [&pick](Cube& cube) { return cube.Pick(pick) != 0; }) ? 1 : 0;
}

bool BuildVisibleRoomList() {
    Room* start = CurrentCube ? CurrentCube->room : nullptr;
    if (!VisibleRoomHead || !start || RoomCount == 0) {
        VisibleRoomCursor = nullptr;
        return false;
    }
    VisibleRoomCursor = VisibleRoomHead;
    VisibleRoomHead->room = start;
    StartCubeWalk(*start, CurrentCube);
    start->visited = 1;
    ClipThroughExit(*start, nullptr, 0);
    for (RoomNode* node = VisibleRoomHead; node; node = node->next) {
        if (node->room) {
            FloodExits(*node->room);
        }
        if (node == VisibleRoomCursor) {
            break;
        }
    }
    return true;
}

void ClearRoomVisits() {
    for (int i = 0; i < RoomCount; ++i) {
        Rooms[i]->visited = 0;
    }
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->visited = 0;
    }
}

int FindPickedObject(PickRecord& pick) {
    if (!VisibleRoomCursor) {
        return 0;
    }
    for (RoomNode* node = VisibleRoomHead; node; node = node->next) {
        if (node->room && PickInRoom(*node->room, pick)) {
            return 1;
        }
        if (node == VisibleRoomCursor) {
            break;
        }
    }
    return 0;
}

platform::HResult BandSceneViewport() {
    if (!RMViewport) {
        return platform::D3DRM_OK;
    }
    const double h = HorizonOffset / HorizonBandLines;
    const platform::HResult result = RMViewport->SetPlane(-0.5f, 0.5f, static_cast<float>(-0.5 - h),
                                                          static_cast<float>(0.5 - h));
    if (!platform::Failed(result)) {
        RMViewport->SetUniformScaling(true);
    }
    return result;
}

void DrawWorld() {
    if (!BackBuffer || !CurrentCube || RoomCount == 0) {
        return;
    }
    // The horizon may have been set without the tilt keys (a script's camera, a camera move)
    // or the viewport made anew (a display mode applied).
    BandSceneViewport();
    const int w = static_cast<int>(BackBuffer->Width());
    const int h = static_cast<int>(BackBuffer->Height());
    if (!InitRenderViewport(BackBuffer, {0, 0, w - w / 4 - 1, h - h / 4 - 1})) {
        return;
    }
    SetRenderCamera(PlayerX, PlayerY, PlayerZ, PlayerHeading, HorizonOffset, 256);
    if (BuildVisibleRoomList()) {
        for (RoomNode* node = VisibleRoomCursor; node; node = node->previous) {
            Room& room = *node->room;
            if (room.clip[1] != HiddenClipTop) {
                const RenderRect clip{room.clip[0], room.clip[1], room.clip[2], room.clip[3]};
                SetClipRect(&clip);
                DrawRoom(room);
            }
            if (node == VisibleRoomHead) {
                break;
            }
        }
    }
    ClearRoomVisits();
    BackBuffer->Unlock();
}
