#pragma once
// The pool of visible-room nodes: one per room, made when a level is loaded; the room flood of
// each frame fills them from the head, the cursor marking the last one filled.
class Room;

struct RoomNode {
    RoomNode* previous;
    RoomNode* next;
    Room* room;
};

extern RoomNode* VisibleRoomHead;
extern RoomNode* VisibleRoomCursor;

// Makes a pool of count nodes (at least one); head and cursor on the first.
void BuildRoomNodes(int count);
void FreeRoomNodes();
