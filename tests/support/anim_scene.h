// The scene that scene-animation tests start from: a scene frame with the world frame under it,
// one room with a wide floor for characters to stand in, and empty animation tables.
#pragma once
#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/paths.h"
#include "anim/reset.h"
#include "base/graphics_objects.h"
#include "platform/rm_frame.h"
#include "support/world_builder.h"
#include "world/cube.h"
#include "world/room.h"

namespace testscene {

inline void MakeEmptyAnimScene() {
    SceneFrame = platform::RmFrame::Create(nullptr);
    WorldFrame = platform::RmFrame::Create(SceneFrame);
    Room* room = testworld::AddRoom();
    testworld::AddBox(room, -200, -200, 200, 200);
    testworld::CloseRoom(room);
    ResetSceneAnimation();
    ResetMaterials();
}

}  // namespace testscene
