#include "anim/paths.h"

#include <cstring>

#include "anim/messages.h"
#include "platform/message_box.h"

PathRecord Path[MaxPaths];
int PathCount = 0;
int CurrentPath = 0;
int PathMaxTime = 0;

int BeginPath() {
    if (CurrentPath < 0 || CurrentPath >= MaxPaths) {
        platform::MessageBox(MsgExceedPaths, AnimCaptionError);
        return 0;
    }
    // Nothing of a path loaded before the last level reset is left in the record.
    Path[CurrentPath] = PathRecord{};
    return 1;
}

int FinishPath(const char* name) {
    if (CurrentPath < 0 || CurrentPath >= MaxPaths) return 0;
    PathRecord& path = Path[CurrentPath];
    std::strncpy(path.name, name, AnimNameSize - 1);
    path.name[AnimNameSize - 1] = 0;
    path.frameCount = static_cast<int16_t>(PathMaxTime);
    path.frame = 0;
    path.motionCount = 0;
    path.currentMotion = 0;
    PathMaxTime = 0;
    CurrentPath = ++PathCount;
    return 1;
}

int PathFrameCount(int path) {
    return path >= 0 && path < PathCount && path < MaxPaths ? Path[path].frameCount : -1;
}
