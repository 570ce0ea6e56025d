#include "world/cube.h"

#include <algorithm>

#include "base/wrap.h"
#include "render/int64.h"
#include "render/lighting.h"
#include "world/cube_faces.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/visible_rooms.h"

FixedVector Vertices[MaxVertices];
int VertexCount = 0;
Cube* Cubes[MaxCubes];
int CubeCount = 0;

Cube::Cube()
    : texU{}, texV{}, texW{}, bottom{}, top{}, normal{}, texture{OpenFace, OpenFace, OpenFace,
                                                                 OpenFace, OpenFace, OpenFace},
      faceFlags{}, centre{}, link{}, objects(nullptr), floorClass(0), floorSloped(0), visited(0),
      room(nullptr) {}

Cube::~Cube() { FreeObjectNodes(objects); }

const FixedVector& Cube::Bottom(int corner) const { return Vertices[bottom[corner & 3]]; }

const FixedVector& Cube::Top(int corner) const { return Vertices[top[corner & 3]]; }

int EdgeSide(Fixed16 x, Fixed16 z, const FixedVector& a, const FixedVector& b) {
    const int64_t left = (int64_t{x} - b.x) * (int64_t{a.z} - b.z);
    const int64_t right = (int64_t{z} - b.z) * (int64_t{a.x} - b.x);
    if (left > right) {
        return 1;
    }
    return left == right ? 0 : -1;
}

bool Cube::Contains(Fixed16 x, Fixed16 z) const {
    Fixed16 minX = Bottom(0).x, maxX = minX, minZ = Bottom(0).z, maxZ = minZ;
    for (int k = 1; k < 4; ++k) {
        minX = std::min(minX, Bottom(k).x);
        maxX = std::max(maxX, Bottom(k).x);
        minZ = std::min(minZ, Bottom(k).z);
        maxZ = std::max(maxZ, Bottom(k).z);
    }
    if (x < minX || x > maxX || z < minZ || z > maxZ) {
        return false;
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (!Degenerate(k) && EdgeSide(x, z, Bottom(k), Bottom(k + 1)) == 1) {
            return false;
        }
    }
    return true;
}

Cube* FindCubeAt(Fixed16 x, Fixed16 z) {
    for (int i = 0; i < CubeCount; ++i) {
        if (Cubes[i]->Floored() && Cubes[i]->Contains(x, z)) {
            return Cubes[i];
        }
    }
    return nullptr;
}

Cube* Cube::FindCubeFrom(Fixed16 x, Fixed16 z) {
    if (Contains(x, z)) {
        return this;
    }
    auto flooredHolder = [x, z](Cube* c) { return c && c->Floored() && c->Contains(x, z); };
    for (int k = 0; k < CubeSides; ++k) {
        if (!Degenerate(k) && flooredHolder(link[k])) {
            return link[k];
        }
    }
    for (int k = 0; k < CubeSides; ++k) {
        Cube* n = link[k];
        if (Degenerate(k) || !n) {
            continue;
        }
        for (int j = 0; j < CubeSides; ++j) {
            if (flooredHolder(n->link[j])) {
                return n->link[j];
            }
        }
    }
    return FindCubeAt(x, z);
}

Fixed16 Cube::FloorHeight(Fixed16 x, Fixed16 z) const {
    const FixedVector& c0 = Bottom(0);
    FixedVector n;
    PlaneNormal(c0, Bottom(1), Bottom(3), n);
    if (n.y == 0) {
        // A vertical plane (a three-cornered floor standing on edge) has no height to give.
        return c0.y;
    }
    Int64 a, b, sum;
    Int64::Multiply(a, n.x, WrapSub(c0.x, x));
    Int64::Multiply(b, n.z, WrapSub(c0.z, z));
    Int64::Add(sum, a, b);
    return WrapAdd(Int64Divide(sum, n.y), c0.y);
}

bool FaceVisible(const Cube& cube, int k) {
    const FixedVector& p = k == CeilingSlot ? cube.Top(0) : cube.Bottom(k == FloorSlot ? 0 : k);
    const FixedVector& n = cube.normal[k];
    const Fixed16 dot =
        WrapAdd(WrapAdd(FixedMul(WrapSub(PlayerZ, p.z), n.z), FixedMul(WrapSub(PlayerX, p.x), n.x)),
                FixedMul(WrapSub(PlayerY, p.y), n.y));
    return dot >= 0;
}

void RotateCubeSides(Cube& cube) {
    const Fixed16 y0 = cube.Bottom(0).y, y1 = cube.Bottom(1).y, y2 = cube.Bottom(2).y;
    if (y0 == y1 || y1 != y2) {
        return;
    }
    auto rotate = [](auto* entries) { std::rotate(entries, entries + 1, entries + 4); };
    rotate(cube.bottom);
    rotate(cube.top);
    rotate(cube.texture);
    rotate(cube.faceFlags);
    rotate(cube.normal);
    rotate(cube.texU);
    rotate(cube.texV);
    rotate(cube.texW);
}

namespace {

// Whether a floored cube lies anywhere down the chain of floor links. The walk ends after
// CubeCount links, so a loop of floor links cannot hold it.
bool StandsOnFlooredCube(const Cube* cube) {
    const Cube* below = cube->link[FloorSlot];
    for (int steps = 0; below && steps < CubeCount; ++steps) {
        if (below->Floored()) {
            return true;
        }
        below = below->link[FloorSlot];
    }
    return false;
}

bool SameFloorPoint(const FixedVector& a, const FixedVector& b) { return a.x == b.x && a.z == b.z; }

}  // namespace

void Cube::LinkNeighbours() {
    for (int k = 0; k < CubeSides; ++k) {
        link[k] = nullptr;
    }
    for (int k = 0; k < CubeSides; ++k) {
        if (Degenerate(k)) {
            continue;
        }
        for (int i = 0; i < CubeCount && !link[k]; ++i) {
            Cube* candidate = Cubes[i];
            if (candidate == this || !candidate->Floored() || StandsOnFlooredCube(candidate)) {
                continue;
            }
            for (int j = 0; j < CubeSides; ++j) {
                if (SameFloorPoint(candidate->Bottom(j), Bottom(k)) &&
                    SameFloorPoint(candidate->Bottom(j + 3), Bottom(k + 1))) {
                    link[k] = candidate;
                    break;
                }
            }
        }
    }
}

namespace {

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
