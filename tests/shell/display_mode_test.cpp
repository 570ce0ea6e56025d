#include <set>
#include <string>
#include <vector>

#include "base/error_text.h"
#include "platform/dialog_window.h"
#include "platform/display.h"
#include "platform/draw_constants.h"
#include "platform/input_injection.h"
#include "platform/presenter.h"
#include "platform/rm_viewport.h"
#include "render/render_state.h"
#include "shell/bmp_surface.h"
#include "shell/config_dialog.h"
#include "shell/devices.h"
#include "shell/display_modes.h"
#include "support/recorded_boxes.h"
#include "support/shell_fixture.h"
#include "world/player.h"
#include "world/visible_rooms.h"

using namespace platform;

namespace {

bool Listed(int width, int height) {
    for (int i = 0; i < DisplayModeCount; ++i) {
        if (DisplayModes[i].width == width && DisplayModes[i].height == height) return true;
    }
    return false;
}

// Offers a mode to the table as the enumeration does.
void Offer(uint32_t width, uint32_t height, uint32_t bpp = 8) {
    SurfaceDesc desc;
    desc.width = width;
    desc.height = height;
    desc.pixelFormat.rgbBitCount = bpp;
    EnumDisplayModesCallback(&desc, nullptr);
}

}  // namespace

TEST_F(ShellTest, TheListedModesAreForInformationAWindowIs640x480FullScreenTheChosenMode) {
    // The smallest mode chosen in the dialog's list, then OK in a window and in full screen:
    // the demo script applies the display, a window of 640 x 480 x 8, or full screen in that
    // mode where the display offers it, else in the largest mode the display offers.
    struct Display {
        uint32_t width, height;  // the desktop
        int32_t fullWidth, fullHeight;
    };
    for (const Display& display : {Display{1280, 1024, 640, 480}, Display{600, 400, 512, 384}}) {
        SetHeadlessDesktop({display.width, display.height, 32});
        for (const int button : {WindowsButtonId, FullScreenButtonId}) {
            SCOPED_TRACE(testing::Message()
                         << display.width << "x" << display.height << " " << button);
            const bool full = button == FullScreenButtonId;
            const auto chooseSmallest = DialogAction::Look([](Hwnd dialog) {
                const LResult rows =
                    SendDlgItemMessage(dialog, DisplayModeListId, LB_GETCOUNT, 0, 0);
                for (LResult row = 0; row < rows; ++row) {
                    char text[40] = "";
                    SendDlgItemMessage(dialog, DisplayModeListId, LB_GETTEXT,
                                       static_cast<WParam>(row), reinterpret_cast<LParam>(text));
                    if (std::string(text) == "320*200*8") {
                        SendDlgItemMessage(dialog, DisplayModeListId, LB_SETCURSEL,
                                           static_cast<WParam>(row), 0);
                        return;
                    }
                }
                ADD_FAILURE() << "no 320*200*8 row";
            });
            QueueDialogActions(
                {chooseSmallest, DialogAction::ClickOn(button), DialogAction::ClickOn(IDOK)});
            Restart();
            EXPECT_EQ(FullScreen, full ? 1 : 0);
            EXPECT_EQ(FullScreenDisplay(), full);
            const int32_t width = full ? display.fullWidth : 640;
            const int32_t height = full ? display.fullHeight : 480;
            EXPECT_EQ(DisplayWidth, width);
            EXPECT_EQ(DisplayHeight, height);
            EXPECT_EQ(DisplayBpp, 8);
            ASSERT_NE(BackBuffer, nullptr);
            EXPECT_EQ(static_cast<int32_t>(BackBuffer->Width()), width);
            EXPECT_EQ(static_cast<int32_t>(BackBuffer->Height()), height);
        }
    }
}

TEST_F(ShellTest, TheModeTableHoldsTheOfferedModesTheViewTablesHoldSorted) {
    ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    ASSERT_GT(DisplayModeCount, 1);
    for (int i = 0; i < DisplayModeCount; ++i) {
        const ::DisplayMode& m = DisplayModes[i];
        EXPECT_LE(m.width - m.width / 4, 640) << m.width;
        EXPECT_LE(m.height - m.height / 4, 640) << m.height;
        if (i > 0) {
            EXPECT_GT(CompareDisplayModes(&m, &DisplayModes[i - 1]), 0);
        }
    }
    EXPECT_FALSE(Listed(1024, 768));  // its view would be 768 columns wide
    ASSERT_TRUE(Listed(800, 600));
    EXPECT_EQ(DisplayModes[ChosenDisplayMode].width, 640);
    EXPECT_EQ(DisplayModes[ChosenDisplayMode].height, 480);

    // However many modes a display offers, the table holds 32 rows, one of them 640 x 480 x 8
    // even when that mode comes last; other depths are not kept.
    DisplayModeCount = 0;
    for (uint32_t i = 0; i < 40; ++i) Offer(320 + 8 * i, 200 + 4 * i);
    Offer(640, 480, 16);
    EXPECT_EQ(DisplayModeCount, 31);
    Offer(640, 480);
    EXPECT_EQ(DisplayModeCount, 32);
    EXPECT_TRUE(Listed(640, 480));
    Offer(700, 500);
    EXPECT_EQ(DisplayModeCount, 32);

    // A display smaller than the window offers smaller modes only: the table holds those and
    // nothing else, the largest chosen; smaller than every mode, the table is empty.
    struct Small {
        uint32_t width, height;  // the desktop
        std::vector<std::string> rows;
    };
    for (const Small& display :
         {Small{600, 400, {"512x384", "400x300", "320x240", "320x200"}}, Small{300, 200, {}}}) {
        SCOPED_TRACE(display.width);
        SetHeadlessDesktop({display.width, display.height, 32});
        ASSERT_EQ(EnumerateDisplayModes(), 1);
        std::vector<std::string> rows;
        for (int i = 0; i < DisplayModeCount; ++i) {
            EXPECT_EQ(DisplayModes[i].bpp, 8);
            rows.push_back(std::to_string(DisplayModes[i].width) + "x" +
                           std::to_string(DisplayModes[i].height));
        }
        EXPECT_EQ(rows, display.rows);
        EXPECT_EQ(ChosenDisplayMode, 0);
    }
}

// On a display that offers no 640 x 480 x 8 mode F1 switches to the largest mode it offers, and
// the game draws its whole picture there: the view and the scene viewport are three quarters of
// it, and a point straight ahead lies on the horizon row, shifted by the tilt, in the scene too.
// F1 again gives the 640 x 480 window. A display that offers no mode the game can use refuses
// full screen with a box, and the game goes on in its window.
TEST_F(ShellTest, F1OnADisplayWithout640x480RunsFullScreenInItsLargestMode) {
    SetHeadlessDesktop({600, 400, 32});
    ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    Msg msg;
    const auto pressF1 = [&msg] {
        InjectKey(SDL_SCANCODE_F1, true);
        ASSERT_TRUE(MainLoopPass(msg));
        InjectKey(SDL_SCANCODE_F1, false);
        for (int pass = 0; pass < 3; ++pass) ASSERT_TRUE(MainLoopPass(msg));
    };
    // The picture at that size, drawn into its bottom tenth.
    const auto shown = [](uint32_t width, uint32_t height) {
        const PresentedImage& image = PresentedFrame();
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        const std::set<uint32_t> colours(image.pixels.begin(), image.pixels.end());
        EXPECT_GT(colours.size(), 20u) << "the view is blank";
        const auto low = image.pixels.begin() + height * 9 / 10 * width;
        EXPECT_GT(std::set<uint32_t>(low, low + width).size(), 2u) << "the bottom is not drawn";
    };
    // Tilted down as far as the window's view allows, more than the smaller view can show whole.
    HorizonOffset = 300;
    pressF1();
    EXPECT_EQ(FullScreen, 1);
    EXPECT_TRUE(FullScreenDisplay());
    EXPECT_EQ(CurrentDisplayMode().width, 512u);
    EXPECT_EQ(CurrentDisplayMode().height, 384u);
    EXPECT_EQ(DisplayWidth, 512);
    EXPECT_EQ(DisplayHeight, 384);
    shown(512, 384);
    EXPECT_EQ(ViewWidth, 384);
    EXPECT_EQ(ViewHeight, 288);
    ASSERT_NE(RMViewport, nullptr);
    EXPECT_EQ(RMViewport->GetWidth(), 384);
    EXPECT_EQ(RMViewport->GetHeight(), 288);

    HorizonOffset = 100;
    ASSERT_EQ(BandSceneViewport(), D3DRM_OK);
    ASSERT_EQ(CameraFrame->SetPosition(SceneFrame, 0, 0, 0), D3DRM_OK);
    ASSERT_EQ(CameraFrame->SetOrientation(SceneFrame, 0, 0, 1, 0, 1, 0), D3DRM_OK);
    RmVector ahead;
    ASSERT_EQ(RMViewport->Transform({0, 0, 40}, &ahead), D3DRM_OK);
    EXPECT_NEAR(ahead.x, 192, 0.5);
    EXPECT_NEAR(ahead.y, 144 - 100, 0.5);
    HorizonOffset = 0;

    pressF1();
    EXPECT_EQ(FullScreen, 0);
    EXPECT_FALSE(FullScreenDisplay());
    EXPECT_EQ(DisplayWidth, 640);
    EXPECT_EQ(DisplayHeight, 480);
    shown(640, 480);
    EXPECT_TRUE(RecordedBoxes().empty());

    SetHeadlessDesktop({300, 200, 32});
    Restart();
    ASSERT_EQ(DisplayModeCount, 0);
    pressF1();
    EXPECT_EQ(
        support::BoxLines(),
        std::vector<std::string>{"This device cannot support the current display mode | Error"});
    EXPECT_EQ(FullScreen, 0);
    EXPECT_FALSE(FullScreenDisplay());
    EXPECT_EQ(DisplayWidth, 640);
    EXPECT_EQ(QuitDone, 0);
    EXPECT_EQ(RenderingStopped, 0);
    shown(640, 480);
}

TEST_F(ShellTest, ApplyingTheModeSwitchesScreenAndWindowAndReloadsTheDisplayPalette) {
    ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);

    // The first application after start-up makes the window chosen at start anew.
    ASSERT_EQ(ApplyDisplayMode(), 1);

    // The same mode again keeps the drawing and scene-graph objects but not the script's
    // palettes; the display palette is read again. (The references held here keep a replaced
    // object's address from being reused.)
    DirectDraw* ddraw = DDrawObject;
    RetainedMode* rm = RMObject;
    RmFrame* scene = SceneFrame;
    ddraw->AddRef();
    rm->AddRef();
    ASSERT_EQ(DDrawObject->CreatePalette(DDPCAPS_8BIT, PaletteTable[0]->Entries().data(),
                                         &PaletteTable[5]),
              DD_OK);
    RenderingStopped = 1;
    ASSERT_EQ(ApplyDisplayMode(), 1);
    EXPECT_EQ(DDrawObject, ddraw);
    EXPECT_EQ(RMObject, rm);
    EXPECT_EQ(SceneFrame, scene);
    EXPECT_EQ(PaletteTable[5], nullptr);
    EXPECT_NE(PaletteTable[0], nullptr);
    EXPECT_EQ(RenderingStopped, 0);
    ddraw->Release();
    rm->Release();

    // Full screen in the largest mode listed, then the window again.
    FullScreen = 1;
    ChosenDisplayMode = 0;
    const ::DisplayMode largest = DisplayModes[0];
    ASSERT_EQ(ApplyDisplayMode(), 1);
    EXPECT_TRUE(FullScreenDisplay());
    EXPECT_EQ(DisplayWidth, largest.width);
    EXPECT_EQ(static_cast<int32_t>(BackBuffer->Width()), largest.width);
    EXPECT_EQ(static_cast<int32_t>(CurrentDisplayMode().width), largest.width);
    EXPECT_EQ(::Clipper, nullptr);
    EXPECT_EQ(WasFullScreen, 1);
    EXPECT_EQ(RMViewport->GetWidth(), largest.width - largest.width / 4);
    EXPECT_EQ(SceneFrame, scene);

    FullScreen = 0;
    ASSERT_EQ(ApplyDisplayMode(), 1);
    EXPECT_FALSE(FullScreenDisplay());
    EXPECT_EQ(DisplayWidth, 640);
    EXPECT_EQ(BackBuffer->Width(), 640u);
    EXPECT_NE(::Clipper, nullptr);
    EXPECT_TRUE(RecordedBoxes().empty());

    // A mode change that fails shuts the program down without destroying the window, and the
    // game ends as after a fault, with status 1.
    InjectFault("CreateClipper", DDERR_GENERIC);
    EXPECT_EQ(ApplyDisplayMode(), 0);
    EXPECT_EQ(QuitDone, 1);
    EXPECT_EQ(DDrawObject, nullptr);
    EXPECT_TRUE(IsWindow(MainWindow));
    Msg msg;
    EXPECT_FALSE(MainLoopPass(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 1u);
}

TEST_F(ShellTest, AReportInFullScreenShowsItsBoxInTheSmallModeAndComesBack) {
    ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
    FullScreen = 1;
    ChosenDisplayMode = 0;
    ASSERT_EQ(ApplyDisplayMode(), 1);
    const ::DisplayMode current = DisplayModes[0];
    SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    platform::DisplayMode during;
    bool topmostDuring = true;
    SetBoxPresenter([&](const RecordedBox&) {
        during = CurrentDisplayMode();
        topmostDuring = IsTopmost(MainWindow);
        return IDOK;
    });
    ReportError("Viewport restore failed.\n%s", ErrorToString(DDERR_SURFACELOST));
    SetBoxPresenter(nullptr);
    EXPECT_EQ(during.width, 640u);
    EXPECT_EQ(during.height, 400u);
    EXPECT_FALSE(topmostDuring);
    EXPECT_EQ(static_cast<int32_t>(CurrentDisplayMode().width), current.width);
    EXPECT_TRUE(IsTopmost(MainWindow));
    EXPECT_EQ(RenderingStopped, 1);
}

TEST(ErrorReport, TextsFollowTheResultCodesAndLongMessagesAreCut) {
    EXPECT_STREQ(ErrorToString(DD_OK), "No error.");
    EXPECT_STREQ(ErrorToString(DDERR_GENERIC), "Generic failure.");
    EXPECT_STREQ(ErrorToString(DDERR_OUTOFVIDEOMEMORY),
                 "DirectDraw does not have enough memory to perform the operation.");
    EXPECT_STREQ(ErrorToString(DDERR_NOTLOCKED),
                 "Surface was not locked.  An attempt to unlock a surface that was not locked at "
                 "all, or by this process, has been attempted.");
    EXPECT_STREQ(ErrorToString(D3DERR_BADMAJORVERSION), "D3DERR_BADMAJORVERSION");
    EXPECT_STREQ(ErrorToString(D3DERR_TEXTURE_LOCKED), "D3DERR_TEXTURELOCKED");
    EXPECT_STREQ(ErrorToString(D3DRMERR_FILENOTFOUND), "The file was not found.");
    EXPECT_STREQ(ErrorToString(D3DRMERR_UNABLETOEXECUTE), "D3DRMERR_UNABLETOEXECUTE");
    // Codes outside the table, positive ones among them.
    for (HResult code :
         {HResult{1}, DDERR_NODIRECTDRAWSUPPORT, DDERR_CANTLOCKSURFACE, D3DERR_TEXTURE_SWAP_FAILED,
          D3DERR_SCENE_END_FAILED, MakeDrawResult(794), static_cast<HResult>(0xFFFFFFFFu)}) {
        EXPECT_STREQ(ErrorToString(code), "Unrecognized error value.") << code;
    }

    // The longest sentence after a caller's text still fits with its line end; anything longer
    // is cut, the line end kept.
    SetBoxEcho(false);
    ClearRecordedBoxes();
    ReportError("Viewport restore failed.\n%s", ErrorToString(DDERR_SURFACELOST));
    ReportError("%s", std::string(400, 'x').c_str());
    ASSERT_EQ(RecordedBoxes().size(), 2u);
    EXPECT_EQ(RecordedBoxes()[0].text, std::string("D3D: Viewport restore failed.\n") +
                                           ErrorToString(DDERR_SURFACELOST) + "\r\n");
    const std::string& cut = RecordedBoxes()[1].text;
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut.substr(cut.size() - 2), "\r\n");
    EXPECT_EQ(RecordedBoxes()[1].caption, "Msg");
    RenderingStopped = 0;
}

TEST(DriverChoice, HardwareBeatsSoftwareRgbWinsInHardwareMonoInSoftwareAndTheListHoldsFive) {
    auto offer = [](int& chosen, uint32_t hardwareModel, uint32_t softwareModel) {
        Guid guid;
        D3DDeviceDesc hardware, software;
        hardware.colorModel = hardwareModel;
        software.colorModel = softwareModel;
        char description[] = "a driver";
        char name[] = "driver";
        return ::EnumD3DDevicesCallback(&guid, description, name, &hardware, &software, &chosen);
    };
    DriverCount = 0;
    int chosen = -1;
    offer(chosen, 0, D3DCOLOR_RGB);   // software RGB: the first is taken
    offer(chosen, 0, D3DCOLOR_MONO);  // software MONO beats software RGB
    EXPECT_EQ(chosen, 1);
    offer(chosen, 0, D3DCOLOR_RGB);  // a tie keeps the earlier one
    EXPECT_EQ(chosen, 1);
    offer(chosen, D3DCOLOR_MONO, D3DCOLOR_MONO);  // hardware beats software
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(offer(chosen, D3DCOLOR_RGB, 0), DDENUMRET_CANCEL);  // the fifth stops the list
    EXPECT_EQ(chosen, 4);  // RGB beats MONO among hardware drivers
    EXPECT_EQ(DriverCount, 5);
    EXPECT_EQ(offer(chosen, D3DCOLOR_RGB, 0), DDENUMRET_CANCEL);  // no sixth row is written
    EXPECT_EQ(DriverCount, 5);
    DriverCount = 0;
}

// A status text that cannot be drawn into its surface fails the mode's application, the frame
// rate's as well as the information's; the box names the one that failed.
TEST_F(ShellTest, AStatusTextThatCannotBeDrawnFailsTheModesApplication) {
    struct Case {
        int after;  // GetDC calls that go ahead first: the frame rate's text comes first
        const char* text;
    };
    for (const Case& c :
         {Case{0, "GetDC for frame rate buffer failed"}, Case{1, "GetDC for info buffer failed"}}) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
        ClearRecordedBoxes();
        InjectFault("GetDC", DDERR_GENERIC, 1, c.after);
        EXPECT_EQ(ApplyDisplayMode(), 0);
        EXPECT_EQ(support::BoxLines(), std::vector<std::string>{std::string(c.text) + " | Error"});
        EXPECT_EQ(QuitDone, 1);
        TearDown();
        SetUp();
    }
}
