#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/display.h"
#include "platform/presenter.h"
#include "script/parser.h"
#include "script/states.h"
#include "shell/bmp_surface.h"
#include "shell/config_dialog.h"
#include "shell/shutdown.h"
#include "support/shell_fixture.h"
#include "world/room.h"

using namespace platform;

TEST_F(ShellTest, StartUpMakesTheWindowEveryObjectAndRunsTheFirstScript) {
    ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    EXPECT_TRUE(RecordedBoxes().empty()) << (BoxTexts().empty() ? "" : BoxTexts()[0]);

    // A window of the display size, shown, with the cursor hidden and the second timer set.
    ASSERT_NE(MainWindow, nullptr);
    Rect client;
    GetClientRect(MainWindow, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    EXPECT_FALSE(IsTopmost(MainWindow));
    EXPECT_TRUE(GetWindowLong(MainWindow, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(CursorVisible());
    EXPECT_EQ(TimerId, 1u);

    // Every drawing, 3D and scene-graph object of the window mode.
    for (const void* object : ModeObjects()) EXPECT_NE(object, nullptr);
    EXPECT_EQ(BackBuffer->Width(), 640u);
    EXPECT_EQ(BackBuffer->Height(), 480u);
    EXPECT_EQ(FrontBuffer->AttachedPalette(), PaletteTable[0]);
    EXPECT_NE(OverlaySurfaces[0], nullptr);  // the display palette's picture
    EXPECT_EQ(RMViewport->GetWidth(), 480);
    EXPECT_EQ(RMViewport->GetHeight(), 360);
    EXPECT_EQ(WorldFrame->GetParent(), SceneFrame);
    EXPECT_EQ(CameraFrame->GetParent(), SceneFrame);
    EXPECT_EQ(DriverCount, 1);
    EXPECT_EQ(ColorModel, D3DCOLOR_MONO);
    EXPECT_EQ(RenderingStopped, 0);
    EXPECT_EQ(QuitDone, 0);

    // The first script of the folder was compiled and run.
    EXPECT_STREQ(ScriptFileName, "demo.scp");
    EXPECT_EQ(RunMode, RunModeRun);
    EXPECT_STREQ(StateTable[1].name, "Start");
}

TEST_F(ShellTest, EachFailedSetUpStepShowsItsBoxAndEndsStartUp) {
    struct Step {
        const char* call;
        const char* text;
    };
    const Step steps[] = {
        {"DirectDrawEnumerate", "DirectDrawEnumerate failed"},
        {"DirectDrawCreate", "DirectDrawCreate failed"},
        {"SetCooperativeLevel", "SetCooperativeLevel failed"},
        {"GetCaps", "GetCaps failed in checking driver capabilities"},
        {"GetDisplayMode", "GetDisplayMode failed"},
        {"Direct3DRMCreate", "Creation of Direct3DRM"},
        {"CreateSurface", "CreateSurface for window front buffer failed"},
        {"GetSurfaceDesc", "Error getting a surface description"},
        {"CreateClipper", "CreateClipper failed"},
        {"SetHWnd", "Clipper SetHWnd failed"},
        {"SetClipper", "SetClipper failed"},
        {"SetPalette", "SetPalette failed"},
        {"QueryDirect3D", "Creation of IDirect3D failed"},
        {"EnumDevices", "EnumDevices failed"},
        {"AddAttachedSurface", "AddAttachedBuffer failed for Z-buffer"},
        {"CreateDirect3DDevice", "Create D3D device failed"},
        {"EnumDisplayModes", "EnumDisplayModes failed"},
        {"CreateViewport", "Create D3D viewport failed"},  // the 3D viewport comes first
        {"AddViewport", "Add D3D viewport failed"},
        {"SetViewport", "SetViewport failed"},
        {"CreateDeviceFromSurface", "Creation of D3DRM device failed"},
        {"AddUpdateCallback", "Failed to add an update callback"},
        {"SetDither", "SetDither(FALSE) failed"},
        {"SetQuality", "Setting the render quality failed"},
        {"SetTextureQuality", "Setting the texture quality failed"},
        {"CreateFrame", "Creation of scene frame failed"},
        {"SetBack", "Failed to set viewport background depth"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.call);
        ClearRecordedBoxes();
        ResetWindows();
        InjectFault(step.call, DDERR_GENERIC, -1);
        EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 1);  // a fault's status
        ClearFaults();
        ASSERT_EQ(RecordedBoxes().size(), 1u);
        EXPECT_EQ(RecordedBoxes()[0].text, step.text);
        EXPECT_EQ(RecordedBoxes()[0].caption, "Error");
        EXPECT_FALSE(IsWindowVisible(MainWindow));  // the loop never started
        ShutdownApp();
    }
}

TEST_F(ShellTest, AFailedWindowOrPaletteEndsStartUpAndAMissingTimerDoesNot) {
    InjectFault("CreateWindowEx", 1);
    EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 1);
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].text, "D3D: CreateWindowEx failed\r\n");
    EXPECT_EQ(RecordedBoxes()[0].caption, "Msg");

    // A display palette that cannot be made ends the program through QuitApp.
    ClearRecordedBoxes();
    ResetWindows();
    InjectFault("CreatePalette", DDERR_GENERIC, -1);
    EXPECT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 0);
    ClearFaults();
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_EQ(QuitDone, 1);
    EXPECT_EQ(DDrawObject, nullptr);

    ClearRecordedBoxes();
    ResetWindows();
    InjectFault("SetTimer", 1);
    EXPECT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    EXPECT_EQ(TimerId, 0u);
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].text, "No Timers left!");
    EXPECT_EQ(RecordedBoxes()[0].caption, "Message");
    EXPECT_TRUE(RecordedBoxes()[0].ownedByMainWindow);
}

TEST_F(ShellTest, AStartScriptThatEndsTheProgramStopsAtOnceAndTheLoopTakesTheQuit) {
    // A folder with the demo's files and a script whose first level cannot be read: the load
    // failure ends the program, and the statement after it must not run on released objects.
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(DUSK_DEMO_DATA) / ".." / "quit_script";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : {"Palette.bmp", "demo.bmp", "demo.lvl", "room1.cub", "room2.cub",
                             "room3.cub", "room4.cub"}) {
        fs::copy_file(fs::path(DUSK_DEMO_DATA) / name, folder / name);
    }
    std::ofstream(folder / "quit.scp") << "state Start;\n"
                                          "LoadMap(\"missing.lvl\");\n"
                                          "LoadMap(\"demo.lvl\");\n"
                                          "exit;\n";
    ASSERT_EQ(chdir(folder.c_str()), 0);

    EXPECT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    EXPECT_STREQ(ScriptFileName, "quit.scp");
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].text, "D3D: Open level file failed!\r\n");
    EXPECT_EQ(QuitDone, 1);
    EXPECT_EQ(RoomCount, 0);  // the second LoadMap never ran
    EXPECT_TRUE(CursorVisible());
    Msg msg;
    EXPECT_FALSE(MainLoopPass(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
}
