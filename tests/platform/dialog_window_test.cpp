// The dialog manager run headless: list boxes, buttons, keys and the modal run's endings.
#include "platform/dialog_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/message_box.h"

using namespace platform;

namespace {

constexpr int OkButton = IDOK;
constexpr int CancelButton = IDCANCEL;
constexpr int Sorted = 10;
constexpr int PlainList = 11;
constexpr int FirstRadio = 20;
constexpr int SecondRadio = 21;
constexpr int ThirdRadio = 22;

struct Seen {
    uint32_t message;
    int id;
    int code;
};
std::vector<Seen> gSeen;
bool gEndOnOk = true;

intptr_t RecordingProc(Hwnd dialog, uint32_t message, WParam wParam, LParam) {
    if (message == WM_INITDIALOG) {
        for (const char* row : {"640*480*8", "1024*768*8", "800*600*8", "320*200*8"}) {
            SendDlgItemMessage(dialog, Sorted, LB_ADDSTRING, 0, reinterpret_cast<LParam>(row));
        }
        for (const char* row : {"b.scp", "a.scp", "c.scp"}) {
            SendDlgItemMessage(dialog, PlainList, LB_ADDSTRING, 0, reinterpret_cast<LParam>(row));
        }
        CheckRadioButton(dialog, FirstRadio, ThirdRadio, SecondRadio);
        return 1;
    }
    if (message != WM_COMMAND) return 0;
    const int id = static_cast<int>(wParam & 0xFFFF);
    gSeen.push_back({message, id, static_cast<int>(wParam >> 16)});
    if ((id == OkButton && gEndOnOk) || id == CancelButton) EndDialog(dialog, id + 100);
    return 1;
}

DialogTemplate TestTemplate() {
    DialogTemplate t;
    t.title = "Test";
    t.cx = 200;
    t.cy = 120;
    const uint32_t list = LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
    t.items = {
        DialogItem{ControlClass::Button, OkButton, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                   150, 90, 33, 13},
        DialogItem{ControlClass::Button, CancelButton, "CANCEL", BS_PUSHBUTTON | WS_TABSTOP, 150,
                   105, 33, 13},
        DialogItem{ControlClass::ListBox, Sorted, "", list | LBS_SORT, 5, 5, 60, 24},
        DialogItem{ControlClass::ListBox, PlainList, "", list, 70, 5, 60, 40},
        DialogItem{ControlClass::Button, -1, "Group", BS_GROUPBOX, 70, 60, 60, 50},
        DialogItem{ControlClass::Button, FirstRadio, "One", BS_AUTORADIOBUTTON, 75, 70, 40, 10},
        DialogItem{ControlClass::Button, SecondRadio, "Two", BS_AUTORADIOBUTTON, 75, 80, 40, 10},
        DialogItem{ControlClass::Button, ThirdRadio, "Three", BS_AUTORADIOBUTTON, 75, 90, 40, 10},
    };
    return t;
}

std::vector<std::string> Rows(Hwnd dialog, int id) {
    std::vector<std::string> rows;
    const LResult count = SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0);
    for (LResult i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendDlgItemMessage(dialog, id, LB_GETTEXTLEN, i, 0)),
                         '\0');
        std::vector<char> buffer(text.size() + 1);
        SendDlgItemMessage(dialog, id, LB_GETTEXT, i, reinterpret_cast<LParam>(buffer.data()));
        rows.emplace_back(buffer.data());
    }
    return rows;
}

LResult Selection(Hwnd dialog, int id) {
    return SendDlgItemMessage(dialog, id, LB_GETCURSEL, 0, 0);
}
LResult Checked(Hwnd dialog, int id) { return SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0); }

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeadless(true);
        gSeen.clear();
        gEndOnOk = true;
    }
    void TearDown() override { SetHeadless(false); }

    intptr_t Run(std::vector<DialogAction> actions) {
        QueueDialogActions(std::move(actions));
        return DialogBoxParam(TestTemplate(), nullptr, RecordingProc, 0);
    }
};

TEST_F(DialogWindowTest, ListBoxesSortAsTextOrKeepTheOrderGiven) {
    Run({DialogAction::Look([](Hwnd dialog) {
        EXPECT_EQ(Rows(dialog, Sorted),
                  (std::vector<std::string>{"1024*768*8", "320*200*8", "640*480*8", "800*600*8"}));
        EXPECT_EQ(Rows(dialog, PlainList), (std::vector<std::string>{"b.scp", "a.scp", "c.scp"}));
        EXPECT_EQ(Selection(dialog, PlainList), LB_ERR);
        EXPECT_EQ(SendDlgItemMessage(dialog, PlainList, LB_SETCURSEL, 2, 0), 2);
        EXPECT_EQ(Selection(dialog, PlainList), 2);
        // A row out of range clears the selection; texts of missing rows are refused.
        EXPECT_EQ(SendDlgItemMessage(dialog, PlainList, LB_SETCURSEL, 3, 0), LB_ERR);
        EXPECT_EQ(Selection(dialog, PlainList), LB_ERR);
        char buffer[16] = "unchanged";
        EXPECT_EQ(
            SendDlgItemMessage(dialog, PlainList, LB_GETTEXT, 3, reinterpret_cast<LParam>(buffer)),
            LB_ERR);
        EXPECT_STREQ(buffer, "unchanged");
        EXPECT_EQ(SendDlgItemMessage(dialog, 999, LB_GETCOUNT, 0, 0), LB_ERR);
        // The selected row stays selected when a sorted row goes in before it.
        SendDlgItemMessage(dialog, Sorted, LB_SETCURSEL, 1, 0);
        SendDlgItemMessage(dialog, Sorted, LB_ADDSTRING, 0, reinterpret_cast<LParam>("1152*864*8"));
        EXPECT_EQ(Selection(dialog, Sorted), 2);
    })});
}

TEST_F(DialogWindowTest, ClicksCheckRadioButtonsInTheirGroupAndSendCommands) {
    EXPECT_EQ(Run({DialogAction::Look([](Hwnd dialog) {
                       EXPECT_EQ(Checked(dialog, SecondRadio), BST_CHECKED);
                       EXPECT_EQ(Checked(dialog, FirstRadio), BST_UNCHECKED);
                   }),
                   DialogAction::ClickOn(ThirdRadio), DialogAction::Look([](Hwnd dialog) {
                       EXPECT_EQ(Checked(dialog, ThirdRadio), BST_CHECKED);
                       EXPECT_EQ(Checked(dialog, SecondRadio), BST_UNCHECKED);
                   }),
                   DialogAction::ClickOn(-1), DialogAction::SelectRow(PlainList, 1),
                   DialogAction::SelectRow(PlainList, 1), DialogAction::SelectRow(PlainList, 7),
                   DialogAction::DoubleClickRow(PlainList, 2), DialogAction::ClickOn(CancelButton),
                   DialogAction::ClickOn(OkButton)}),
              CancelButton + 100);
    // The group box and the row out of range send nothing; choosing the same row again
    // changes nothing; nothing is played once the dialog has ended.
    ASSERT_EQ(gSeen.size(), 5u);
    EXPECT_EQ(gSeen[0].id, ThirdRadio);
    EXPECT_EQ(gSeen[0].code, static_cast<int>(BN_CLICKED));
    EXPECT_EQ(gSeen[1].id, PlainList);
    EXPECT_EQ(gSeen[1].code, static_cast<int>(LBN_SELCHANGE));
    EXPECT_EQ(gSeen[2].code, static_cast<int>(LBN_SELCHANGE));
    EXPECT_EQ(gSeen[3].code, static_cast<int>(LBN_DBLCLK));
    EXPECT_EQ(gSeen[4].id, CancelButton);
}

TEST_F(DialogWindowTest, KeysMoveTheListSelectionTheFocusAndTheRadioCheck) {
    QueueDialogActions({
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(FocusedControl(dialog), OkButton); }),
        DialogAction::PressKey(VK_TAB),
        DialogAction::PressKey(VK_TAB),
        DialogAction::PressKey(VK_TAB),
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(FocusedControl(dialog), PlainList); }),
        // Down with nothing selected takes the first row; the list stops at its ends.
        DialogAction::PressKey(VK_DOWN),
        DialogAction::PressKey(VK_DOWN),
        DialogAction::PressKey(VK_END),
        DialogAction::PressKey(VK_DOWN),
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(Selection(dialog, PlainList), 2); }),
        DialogAction::PressKey(VK_HOME),
        DialogAction::PressKey(VK_UP),
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(Selection(dialog, PlainList), 0); }),
        DialogAction::PressKey(VK_TAB, true),
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(FocusedControl(dialog), Sorted); }),
        // The sorted list shows three rows: Page Down from the top lands on the third.
        DialogAction::PressKey(VK_NEXT),
        DialogAction::Look([](Hwnd dialog) { EXPECT_EQ(Selection(dialog, Sorted), 2); }),
        DialogAction::ClickOn(FirstRadio),
        DialogAction::PressKey(VK_UP),
        DialogAction::Look([](Hwnd dialog) {
            EXPECT_EQ(FocusedControl(dialog), ThirdRadio);
            EXPECT_EQ(Checked(dialog, ThirdRadio), BST_CHECKED);
        }),
        DialogAction::PressKey(VK_SPACE),
        DialogAction::PressKey(VK_RETURN),
    });
    gEndOnOk = false;
    EXPECT_EQ(DialogBoxParam(TestTemplate(), nullptr, RecordingProc, 0), -1);
    std::vector<int> ids;
    for (const Seen& seen : gSeen) ids.push_back(seen.id);
    // Enter with the focus off the buttons presses the default one; the dialog left open
    // after the actions gets one more Enter and then ends with -1.
    EXPECT_EQ(ids, (std::vector<int>{PlainList, PlainList, PlainList, PlainList, Sorted, FirstRadio,
                                     ThirdRadio, ThirdRadio, OkButton, OkButton}));
}

TEST_F(DialogWindowTest, EnterAndEscapeEndTheDialogThroughItsProcedure) {
    EXPECT_EQ(Run({}), OkButton + 100);
    EXPECT_EQ(Run({DialogAction::PressKey(VK_ESCAPE)}), CancelButton + 100);
    // Enter on the focused CANCEL button presses it, not the default button.
    EXPECT_EQ(Run({DialogAction::PressKey(VK_TAB), DialogAction::PressKey(VK_RETURN)}),
              CancelButton + 100);
    EXPECT_EQ(DialogBoxParam(TestTemplate(), nullptr, nullptr, 0), -1);
    Hwnd closed = nullptr;
    Run({DialogAction::Look([&](Hwnd dialog) { closed = dialog; })});
    EXPECT_FALSE(EndDialog(closed, 1));
    EXPECT_EQ(SendDlgItemMessage(closed, PlainList, LB_GETCOUNT, 0, 0), LB_ERR);
}

}  // namespace

namespace {

// With a screen (a virtual one will do) the dialog is drawn and its picture saved; headless
// runs skip this.
TEST(DialogOnScreenTest, DrawsThePlayedActionsAndSavesItsPicture) {
    SetHeadless(false);
    if (Headless()) GTEST_SKIP() << "no screen";
    gSeen.clear();
    gEndOnOk = true;
    const std::string path = std::string(DUSK_GEN_DATA) + "/dialog_window_test.bmp";
    std::remove(path.c_str());
    // The keys come as the screen's own events: Down moves in the focused list, Enter is OK.
    auto pressKeys = [](Hwnd) {
        Uint32 dialogWindow = 0;
        for (Uint32 id = 1; id < 64; ++id) {
            SDL_Window* window = SDL_GetWindowFromID(id);
            if (window && std::string(SDL_GetWindowTitle(window)) == "Test") dialogWindow = id;
        }
        for (SDL_Keycode key : {SDLK_DOWN, SDLK_RETURN}) {
            SDL_Event event{};
            event.type = SDL_KEYDOWN;
            event.key.windowID = dialogWindow;
            event.key.keysym.sym = key;
            SDL_PushEvent(&event);
        }
    };
    QueueDialogActions({DialogAction::SelectRow(PlainList, 1), DialogAction::CaptureTo(path),
                        DialogAction::Look(pressKeys),
                        // Reached only when the keys went astray: the dialog then ends anyway.
                        DialogAction::PressKey(VK_ESCAPE)});
    EXPECT_EQ(DialogBoxParam(TestTemplate(), nullptr, RecordingProc, 0), OkButton + 100);
    ASSERT_EQ(gSeen.size(), 3u);
    EXPECT_EQ(gSeen[0].id, PlainList);
    EXPECT_EQ(gSeen[1].id, PlainList);
    EXPECT_EQ(gSeen[1].code, static_cast<int>(LBN_SELCHANGE));
    EXPECT_EQ(gSeen[2].id, OkButton);
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    ASSERT_NE(picture, nullptr) << SDL_GetError();
    EXPECT_EQ(picture->w, DialogUnitsToPixelsX(200));
    EXPECT_GT(picture->h, DialogUnitsToPixelsY(120));
    SDL_FreeSurface(picture);
}

}  // namespace
