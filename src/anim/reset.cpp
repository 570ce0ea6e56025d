#include "anim/reset.h"

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/motion_table.h"
#include "anim/movers.h"
#include "anim/paths.h"

void ResetSceneAnimation() {
    ResetAnimObjects(0);
    TruncateMotionTable(0);
    ResetMotionLinks();
    SetHotSpotCount(0);
    PathMaxTime = 0;
    for (PathRecord& path : Path) path = PathRecord{};
    for (MoverChannelRecord& channel : MoverChannel) channel = MoverChannelRecord{};
    CameraMoverEntry = -1;
}
