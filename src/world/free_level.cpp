// Freeing the loaded level.
#include "world/free_level.h"

#include <unordered_set>

#include "render/bitmap.h"
#include "world/cube.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/room_nodes.h"
#include "world/texture_table.h"

void FreeLevel() {
    FreeRoomNodes();

    // Every object lives in one cube's list, in MapObjectTable, or both: delete each once.
    std::unordered_set<MapObject*> objects;
    for (int i = 0; i < CubeCount; ++i) {
        for (ObjectListNode* node = Cubes[i]->objects; node; node = node->next) {
            objects.insert(node->object);
        }
    }
    for (MapObject*& slot : MapObjectTable) {
        if (slot) {
            objects.insert(slot);
        }
        slot = nullptr;
    }
    for (MapObject* object : objects) {
        delete object;
    }
    ObjectCount = 0;

    for (int i = 0; i < RoomCount; ++i) {
        delete Rooms[i];
        Rooms[i] = nullptr;
    }
    RoomCount = 0;
    for (int i = 0; i < CubeCount; ++i) {
        delete Cubes[i];
        Cubes[i] = nullptr;
    }
    CubeCount = 0;
    VertexCount = 0;
    for (int i = 0; i < TextureCount; ++i) {
        FreeBitmap(TextureTable[i]);
        TextureTable[i] = nullptr;
    }
    TextureCount = 0;
    CurrentCube = nullptr;
}
