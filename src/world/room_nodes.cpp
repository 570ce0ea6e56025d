#include "world/room_nodes.h"

RoomNode* VisibleRoomHead = nullptr;
RoomNode* VisibleRoomCursor = nullptr;

void BuildRoomNodes(int count) {
    FreeRoomNodes();
    RoomNode* last = nullptr;
    for (int i = 0; i < (count > 1 ? count : 1); ++i) {
        RoomNode* node = new RoomNode{last, nullptr, nullptr};
        if (last) {
            last->next = node;
        } else {
            VisibleRoomHead = node;
        }
        last = node;
    }
    VisibleRoomCursor = VisibleRoomHead;
}

void FreeRoomNodes() {
    while (VisibleRoomHead) {
        RoomNode* next = VisibleRoomHead->next;
        delete VisibleRoomHead;
        VisibleRoomHead = next;
    }
    VisibleRoomCursor = nullptr;
}
