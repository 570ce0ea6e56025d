// Motion files read all three ways the script commands read them: as an animated object's file
// (a new 3D character), as further motions of it, and as a path. Between inputs the motion
// table, parts, materials, animation objects and paths are emptied as the level reset does.
#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_files.h"
#include "anim/motion_table.h"
#include "anim/paths.h"
#include "base/graphics_objects.h"
#include "base/report_error.h"
#include "fuzz_harness.h"
#include "platform/rm.h"
#include "script/events.h"
#include "script/parser.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    InitScriptEngine();
    RunMode = RunModeRun;  // the commands that load motion files run inside a script
    SceneFrame = platform::RmFrame::Create(nullptr);
    WorldFrame = platform::RmFrame::Create(SceneFrame);
    ResetMotionLinks();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.ani", data, size);
    fuzz::Run([] {
        LoadAnimObj("fuzz.ani", nullptr, 0);
        LoadMotion("fuzz.ani");
        LoadPath("fuzz.ani");
    });
    ResetAnimObjects(0);
    TruncateMotionTable(0);
    ResetMaterials();
    for (PathRecord& path : Path) path = PathRecord{};
    PathCount = 0;
    CurrentPath = 0;
    PathMaxTime = 0;
    QuitRequested = false;
    RenderingStopped = 0;
    return 0;
}
