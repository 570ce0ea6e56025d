// The configuration dialog driven headless through its procedure, and its picture on a screen.
#include "shell/config_dialog.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/report_error.h"
#include "platform/backend.h"
#include "platform/message_box.h"
#include "script/loader.h"
#include "shell/direct_x.h"
#include "shell/messages.h"
#include "support/scratch_folder.h"

using namespace platform;

namespace {

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeadless(true);
        SetBoxEcho(false);
        ClearRecordedBoxes();
        scratch_.emplace("dusk_config");
        dir_ = scratch_->Path();
        ScriptFileName[0] = '\0';
        FullScreen = 0;
        WasFullScreen = 0;
        QuitRequested = false;
        DisplayModeCount = 0;
        DriverCount = 0;
    }
    void TearDown() override {
        scratch_.reset();
        QuitRequested = false;
        DisplayModeCount = 0;
        DriverCount = 0;
        SetBoxEcho(true);
    }

    void Write(const std::string& name) const { std::ofstream(dir_ / name) << "Start {\n}\n"; }

    static intptr_t Run(std::vector<DialogAction> actions) {
        QueueDialogActions(std::move(actions));
        return DialogBoxParam(ConfigurationDialogTemplate(), nullptr, ConfigurationDialogProc, 0);
    }

    std::optional<support::ScratchFolder> scratch_;
    std::filesystem::path dir_;
};

std::vector<std::string> Rows(Hwnd dialog, int list) {
    std::vector<std::string> rows;
    const LResult count = SendDlgItemMessage(dialog, list, LB_GETCOUNT, 0, 0);
    for (LResult i = 0; i < count; ++i) {
        std::vector<char> text(SendDlgItemMessage(dialog, list, LB_GETTEXTLEN, i, 0) + 1);
        SendDlgItemMessage(dialog, list, LB_GETTEXT, i, reinterpret_cast<LParam>(text.data()));
        rows.emplace_back(text.data());
    }
    return rows;
}

void SetDisplayModesAndDrivers() {
    // As the mode table keeps them: depth, then width, then height descending.
    const ::DisplayMode modes[] = {{1024, 768, 8}, {800, 600, 8}, {640, 480, 8}, {320, 200, 8}};
    DisplayModeCount = 0;
    for (const ::DisplayMode& mode : modes) DisplayModes[DisplayModeCount++] = mode;
    std::strcpy(Drivers[0].description, "Software emulation");
    std::strcpy(Drivers[1].description, "Hardware ramp");
    DriverCount = 2;
}

TEST_F(ConfigDialogTest, ThreeScriptsAreListedInTheOrderFoundAndOkTakesTheFirst) {
    for (const char* name : {"maze.scp", "Attic.SCP", "cellar.scp", "notes.txt", "scp"})
        Write(name);
    // Folders are searched in name order, letters compared without case.
    const std::vector<std::string> found = {"Attic.SCP", "cellar.scp", "maze.scp"};
    EXPECT_EQ(Run({DialogAction::Look([&](Hwnd dialog) {
                  EXPECT_EQ(Rows(dialog, PuzzleListId), found);
                  EXPECT_EQ(SendDlgItemMessage(dialog, PuzzleListId, LB_GETCURSEL, 0, 0), 0);
                  EXPECT_EQ(SendDlgItemMessage(dialog, WindowsButtonId, BM_GETCHECK, 0, 0),
                            BST_CHECKED);
                  EXPECT_EQ(SendDlgItemMessage(dialog, FullScreenButtonId, BM_GETCHECK, 0, 0),
                            BST_UNCHECKED);
                  EXPECT_EQ(DisplayChoice, 2);
                  EXPECT_EQ(FocusedControl(dialog), IDOK);
              })}),
              1);
    // OK without touching anything: the first file, in a window.
    EXPECT_EQ(ScriptFileName, found[0]);
    EXPECT_EQ(FullScreen, 0);
    EXPECT_EQ(WasFullScreen, 1);
    EXPECT_FALSE(QuitRequested);

    // The keyboard starts on OK: Space presses it, as Enter does (CANCEL is not reached).
    ScriptFileName[0] = '\0';
    EXPECT_EQ(Run({DialogAction::PressKey(VK_SPACE), DialogAction::ClickOn(IDCANCEL)}), 1);
    EXPECT_EQ(ScriptFileName, found[0]);
    EXPECT_FALSE(QuitRequested);
    // Tab goes through CANCEL and the two information lists to the puzzle list, where the
    // arrows move; Enter takes the row they reached, and so does Space back on OK.
    const std::vector<DialogAction> toPuzzles(4, DialogAction::PressKey(VK_TAB));
    std::vector<DialogAction> keys = toPuzzles;
    for (const int key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
        keys.push_back(DialogAction::PressKey(key));
    }
    Run(keys);
    EXPECT_EQ(ScriptFileName, found[2]);
    keys = toPuzzles;
    keys.push_back(DialogAction::PressKey(VK_DOWN));
    keys.insert(keys.end(), 4, DialogAction::PressKey(VK_TAB, true));
    keys.push_back(DialogAction::PressKey(VK_SPACE));
    Run(keys);
    EXPECT_EQ(ScriptFileName, found[1]);
    Run({DialogAction::SelectRow(PuzzleListId, 2), DialogAction::ClickOn(IDOK)});
    EXPECT_EQ(ScriptFileName, found[2]);
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(ConfigDialogTest, FullScreenChoiceSetsTheFlagsTheNextModeChangeActsOn) {
    Write("one.scp");
    Run({DialogAction::ClickOn(FullScreenButtonId), DialogAction::ClickOn(IDOK)});
    EXPECT_EQ(DisplayChoice, 1);
    EXPECT_EQ(FullScreen, 1);
    EXPECT_EQ(WasFullScreen, 0);
    // Back to a window before OK; the keyboard reaches the buttons too.
    Run({DialogAction::ClickOn(FullScreenButtonId), DialogAction::ClickOn(WindowsButtonId),
         DialogAction::PressKey(VK_RETURN)});
    EXPECT_EQ(FullScreen, 0);
    EXPECT_EQ(WasFullScreen, 1);
    // Back from OK to "Windows", the last control the keyboard reaches; the arrows go round its
    // group.
    Run({DialogAction::PressKey(VK_TAB, true), DialogAction::PressKey(VK_UP),
         DialogAction::PressKey(VK_RETURN)});
    EXPECT_EQ(FullScreen, 1);
    EXPECT_STREQ(ScriptFileName, "one.scp");
}

TEST_F(ConfigDialogTest, ModeAndDriverRowsSortAsText) {
    SetDisplayModesAndDrivers();
    Run({DialogAction::Look([](Hwnd dialog) {
        EXPECT_EQ(Rows(dialog, DisplayModeListId),
                  (std::vector<std::string>{"1024*768*8", "320*200*8", "640*480*8", "800*600*8"}));
        EXPECT_EQ(Rows(dialog, DriverListId),
                  (std::vector<std::string>{"Hardware ramp", "Software emulation"}));
        // Only the puzzle list starts with a selection.
        EXPECT_EQ(SendDlgItemMessage(dialog, DisplayModeListId, LB_GETCURSEL, 0, 0), LB_ERR);
    })});
}

TEST_F(ConfigDialogTest, CancelEndsTheProgram) {
    Write("one.scp");
    EXPECT_EQ(Run({DialogAction::PressKey(VK_ESCAPE)}), 1);
    EXPECT_TRUE(QuitRequested);
    EXPECT_STREQ(ScriptFileName, "");
    EXPECT_EQ(WasFullScreen, 0);  // the display is left as it was
}

TEST_F(ConfigDialogTest, ListHoldsSixteenFilesAndRefusesNamesTooLongWhole) {
    std::vector<std::string> names;
    for (int i = 119; i >= 100; --i) {
        names.insert(names.begin(), "p" + std::to_string(i) + ".scp");
        Write(names.front());
    }
    Run({DialogAction::Look([&](Hwnd dialog) {
        EXPECT_EQ(Rows(dialog, PuzzleListId),
                  std::vector<std::string>(names.begin(), names.begin() + MaxScriptFiles));
    })});
    EXPECT_EQ(ScriptFileCount, MaxScriptFiles);

    for (const std::string& name : names) std::filesystem::remove(dir_ / name);
    ScriptFileName[0] = '\0';
    const std::string longName = "a_name_too_long.scp";  // 19 characters
    Write(longName);
    Write("short.scp");
    const int longRow = 0;  // "a..." comes before "s..."
    // OK on the long name: a box, the dialog stays open and nothing is taken; then the other.
    intptr_t result =
        Run({DialogAction::SelectRow(PuzzleListId, longRow), DialogAction::ClickOn(IDOK),
             DialogAction::Look([&](Hwnd dialog) {
                 EXPECT_EQ(Rows(dialog, PuzzleListId)[longRow], longName);
                 EXPECT_STREQ(ScriptFileName, "");
             }),
             DialogAction::SelectRow(PuzzleListId, 1 - longRow), DialogAction::ClickOn(IDOK)});
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(ScriptFileName, "short.scp");
    ASSERT_EQ(RecordedBoxes().size(), 1u);
    EXPECT_EQ(RecordedBoxes()[0].caption, ErrorCaption);
    EXPECT_NE(RecordedBoxes()[0].text.find(longName), std::string::npos);
}

TEST_F(ConfigDialogTest, WithoutScriptsTheListIsEmptyAndTheLoadReportsIt) {
    Write("readme.txt");
    std::strcpy(ScriptFileName, "stale.scp");
    Run({DialogAction::Look([](Hwnd dialog) {
        EXPECT_EQ(SendDlgItemMessage(dialog, PuzzleListId, LB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(SendDlgItemMessage(dialog, PuzzleListId, LB_GETCURSEL, 0, 0), LB_ERR);
    })});
    EXPECT_STREQ(ScriptFileName, "");
    EXPECT_EQ(LoadScriptFile(ScriptFileName), 0);
    EXPECT_EQ(RecordedBoxes().size(), 1u);
}

// With a screen (a virtual one will do) the dialog's picture is saved and looked at; headless
// runs skip this.
TEST_F(ConfigDialogTest, OnAScreenShowsTitleListsAndButtons) {
    SetHeadless(false);
    if (Headless()) GTEST_SKIP() << "no screen";
    SetDisplayModesAndDrivers();
    for (const char* name : {"maze.scp", "attic.scp", "cellar.scp"}) Write(name);
    const std::string path = std::string(DUSK_GEN_DATA) + "/config_dialog.bmp";
    std::remove(path.c_str());
    EXPECT_EQ(Run({DialogAction::CaptureTo(path), DialogAction::PressKey(VK_RETURN)}), 1);

    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    ASSERT_NE(loaded, nullptr) << SDL_GetError();
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(picture, nullptr);
    const int width = DialogUnitsToPixelsX(174);
    EXPECT_EQ(picture->w, width);
    const int caption = picture->h - DialogUnitsToPixelsY(123);
    ASSERT_GT(caption, 10);
    auto dark = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(picture->pixels) + y * picture->pitch);
            for (int x = left; x < right; ++x) {
                const uint32_t p = row[x];
                if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 96) ++count;
            }
        }
        return count;
    };
    auto px = [](int units) { return DialogUnitsToPixelsX(units); };
    auto py = [&](int units) { return caption + DialogUnitsToPixelsY(units); };
    // Text is drawn dark: the title in the caption, rows in each list, labels on the buttons.
    EXPECT_GT(dark(4, 2, width / 2, caption - 2), 20) << "title";
    EXPECT_GT(dark(px(5) + 2, py(23) + 2, px(70) - 2, py(72) - 2), 20) << "display modes";
    EXPECT_GT(dark(px(7) + 2, py(88) + 2, px(70) - 2, py(117) - 2), 20) << "drivers";
    EXPECT_GT(dark(px(88) + 2, py(23) + 2, px(164) - 2, py(85) - 2), 20) << "puzzles";
    EXPECT_GT(dark(px(137) + 3, py(93) + 3, px(170) - 3, py(106) - 3), 5) << "OK";
    EXPECT_GT(dark(px(137) + 3, py(108) + 3, px(170) - 3, py(122) - 3), 5) << "CANCEL";
    // Between the lists and the buttons there is only background.
    EXPECT_EQ(dark(px(74) + 1, py(30), px(83) - 1, py(70)), 0);
    SDL_FreeSurface(picture);
    SetHeadless(true);
}

// The puzzle list scrolls with the mouse wheel turned over it; a wheel turned over another window
// leaves it as it was.
TEST_F(ConfigDialogTest, OnAScreenThePuzzleListScrollsWithTheWheelOverIt) {
    SetHeadless(false);
    if (Headless()) GTEST_SKIP() << "no screen";
    for (int i = 0; i < 14; ++i) Write("puzzle" + std::to_string(10 + i) + ".scp");
    const std::string path = std::string(DUSK_GEN_DATA) + "/config_dialog_wheel_";
    const std::string before = path + "before.bmp", other = path + "other.bmp",
                      turned = path + "turned.bmp";
    for (const std::string& p : {before, other, turned}) std::remove(p.c_str());

    static SDL_Window* dialog = nullptr;
    dialog = nullptr;
    // The pointer over the middle of the puzzle list.
    auto pointAtList = [](Hwnd) {
        for (Uint32 id = 1; id < 64 && !dialog; ++id) {
            SDL_Window* window = SDL_GetWindowFromID(id);
            if (window && SDL_GetWindowTitle(window) == ConfigurationDialogTemplate().title)
                dialog = window;
        }
        ASSERT_NE(dialog, nullptr);
        int width = 0, height = 0;
        SDL_GetWindowSize(dialog, &width, &height);
        const int caption = height - DialogUnitsToPixelsY(123);
        SDL_WarpMouseInWindow(dialog, DialogUnitsToPixelsX(88 + 38),
                              caption + DialogUnitsToPixelsY(23 + 31));
    };
    // Three notches down, for the dialog's window or for another one.
    auto wheel = [](bool forDialog) {
        return [forDialog](Hwnd) {
            ASSERT_NE(dialog, nullptr);
            const Uint32 id = SDL_GetWindowID(dialog);
            for (int notch = 0; notch < 3; ++notch) {
                SDL_Event event{};
                event.type = SDL_MOUSEWHEEL;
                event.wheel.windowID = forDialog ? id : id + 1;
                event.wheel.y = -1;
                SDL_PushEvent(&event);
            }
        };
    };
    auto frame = DialogAction::Look([](Hwnd) {});
    EXPECT_EQ(
        Run({DialogAction::Look(pointAtList), frame, frame, frame, DialogAction::CaptureTo(before),
             DialogAction::Look(wheel(false)), frame, frame, frame, DialogAction::CaptureTo(other),
             DialogAction::Look(wheel(true)), frame, frame, frame, DialogAction::CaptureTo(turned),
             DialogAction::PressKey(VK_RETURN)}),
        1);

    // The pixels of the puzzle list that differ between two pictures.
    auto listDiffers = [](const std::string& a, const std::string& b) {
        SDL_Surface* first = SDL_LoadBMP(a.c_str());
        SDL_Surface* second = SDL_LoadBMP(b.c_str());
        int count = -1;
        if (first && second && first->w == second->w && first->h == second->h &&
            first->format->BytesPerPixel == 4) {
            count = 0;
            const int caption = first->h - DialogUnitsToPixelsY(123);
            for (int y = caption + DialogUnitsToPixelsY(23);
                 y < caption + DialogUnitsToPixelsY(23 + 62); ++y) {
                for (int x = DialogUnitsToPixelsX(88); x < DialogUnitsToPixelsX(88 + 76); ++x) {
                    const auto pixel = [&](SDL_Surface* s) {
                        return *reinterpret_cast<const uint32_t*>(
                            static_cast<const uint8_t*>(s->pixels) + y * s->pitch + 4 * x);
                    };
                    if (pixel(first) != pixel(second)) ++count;
                }
            }
        }
        SDL_FreeSurface(first);
        SDL_FreeSurface(second);
        return count;
    };
    EXPECT_EQ(listDiffers(before, other), 0);
    EXPECT_GT(listDiffers(before, turned), 100);
    SetHeadless(true);
}

}  // namespace
