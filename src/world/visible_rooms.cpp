#include "world/visible_rooms.h"

#include "base/graphics_objects.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "render/polygon.h"
#include "render/view.h"
#include "world/cube.h"
#include "world/cube_faces.h"
#include "world/limits.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"

int ShowFaces = 1;
int ShowObjects = 1;

void ResetViewSwitches() { ShowFaces = ShowObjects = 1; }

namespace {

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

}  // namespace

int DrawFloorUnderlay(Cube& cube) {
    if (ShowFaces && cube.Floored() && FaceVisible(cube, FloorSlot)) {
        DrawFloor(cube);
    }
    return 1;
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
    // Under uniform scaling the window's width of 1 spans the viewport's width in pixels, so one
    // line of shift is 1 / that width (1 / 480 in a 640 x 480 display).
    const int32_t width = RMViewport->GetWidth();
    const double h = width > 0 ? static_cast<double>(HorizonOffset) / width : 0.0;
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
