#include "world/map_object.h"

#include "base/wrap.h"
#include "world/cube.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/movement.h"
#include "world/player.h"
#include "world/sprite2d_object.h"

MapObject* MapObjectTable[MaxMapObjects];
int ObjectCount = 0;

void MapObject::Update(int) {}

int MapObject::Draw() { return 0; }

void MapObject::Collide(FixedVector*) {}

void AppendObject(Cube& cube, MapObject* object) {
    ObjectListNode* node = new ObjectListNode{nullptr, nullptr, object};
    if (!cube.objects) {
        cube.objects = node;
        return;
    }
    ObjectListNode* tail = cube.objects;
    while (tail->next) {
        tail = tail->next;
    }
    tail->next = node;
    node->previous = tail;
}

void RemoveObject(Cube& cube, MapObject* object) {
    for (ObjectListNode* node = cube.objects; node; node = node->next) {
        if (node->object != object) {
            continue;
        }
        if (node->previous) {
            node->previous->next = node->next;
        } else {
            cube.objects = node->next;
        }
        if (node->next) {
            node->next->previous = node->previous;
        }
        delete node;
        return;
    }
}

void FreeObjectNodes(ObjectListNode* head) {
    while (head) {
        ObjectListNode* next = head->next;
        delete head;
        head = next;
    }
}

Fixed16 ObjectDistanceKey(const MapObject& object) {
    const Fixed16 dx = WrapSub(object.centre.x, PlayerX) >> 8;
    const Fixed16 dz = WrapSub(object.centre.z, PlayerZ) >> 8;
    return WrapAdd(FixedMul(dx, dx), FixedMul(dz, dz));
}

void SortObjects(Cube& cube) {
    for (ObjectListNode* p = cube.objects; p; p = p->next) {
        for (ObjectListNode* q = p->next; q; q = q->next) {
            if (ObjectDistanceKey(*p->object) < ObjectDistanceKey(*q->object)) {
                MapObject* swap = p->object;
                p->object = q->object;
                q->object = swap;
            }
        }
    }
}

void UpdateObjects(Cube& cube) {
    for (ObjectListNode* node = cube.objects; node;) {
        ObjectListNode* next = node->next;
        node->object->Update(0);
        node = next;
    }
    SortObjects(cube);
}

void UpdateWorld() {
    MovePlayerByMouse();
    for (int i = 0; i < CubeCount; ++i) {
        UpdateObjects(*Cubes[i]);
    }
}

namespace {

// The object with this id when its slot is filled and holds an object of the type.
template <class T>
T* ObjectOfType(int id, int type) {
    if (id < 0 || id >= MaxMapObjects || !MapObjectTable[id] || MapObjectTable[id]->type != type) {
        return nullptr;
    }
    return static_cast<T*>(MapObjectTable[id]);
}

}  // namespace

void SpriteAnim(int id, int op) {
    if (id >= 0 && id < MaxMapObjects && MapObjectTable[id]) {
        MapObjectTable[id]->Update(op);
    }
}

void UpdateDoor(int id, int command, float fraction) {
    if (DoorObject* door = ObjectOfType<DoorObject>(id, DoorType)) {
        door->Command(command, fraction);
    }
}

void MoveDoorBy(int id, int command, float distance) {
    if (DoorObject* door = ObjectOfType<DoorObject>(id, DoorType)) {
        door->MoveBy(command, distance);
    }
}

void SwapTexture(int id, int set) {
    if (Sprite2DObject* sprite = ObjectOfType<Sprite2DObject>(id, Sprite2DType)) {
        sprite->SwapTexture(set);
    }
}

void SwapDeco(int id, int set) {
    if (DecoObject* deco = ObjectOfType<DecoObject>(id, DecoType)) {
        deco->SwapDeco(set);
    }
}
