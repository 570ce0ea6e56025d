#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/backend.h"
#include "platform/display.h"
#include "platform/messages.h"
#include "platform/sdl_video_detail.h"
#include "platform/window.h"

namespace platform {
namespace {
BoxPresenter gPresenter;
std::vector<RecordedBox> gRecorded;
int gRecordedAnswer = IDOK;
bool gEcho = true;

// Shows the box on the screen and waits for a button.
int ShowOnScreen(const RecordedBox& box) {
    SDL_MessageBoxButtonData buttons[2];
    int count = 0;
    const unsigned kind = box.style & 0xF;
    if (kind == MB_YESNO) {
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, ButtonYes};
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, ButtonNo};
    } else if (kind == MB_OKCANCEL) {
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, ButtonOk};
        buttons[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, ButtonCancel};
    } else {
        buttons[count++] = {
            SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
            ButtonOk};
    }
    const unsigned icon = box.style & 0xF0;
    Uint32 flags = icon == MB_ICONHAND          ? SDL_MESSAGEBOX_ERROR
                   : icon == MB_ICONEXCLAMATION ? SDL_MESSAGEBOX_WARNING
                                                : SDL_MESSAGEBOX_INFORMATION;
    SDL_MessageBoxData data{};
    data.flags = flags;
    // Over a window that fills the screen a box without an owner could open behind it.
    const bool owned = box.ownedByMainWindow || FullScreenDisplay();
    data.window = owned ? SdlWindowOf(MainWindowHandle()) : nullptr;
    data.title = box.caption.c_str();
    data.message = box.text.c_str();
    data.numbuttons = count;
    data.buttons = buttons;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) {
        // No box could be shown (or it was closed without a button): the box's default answer.
        std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
        return kind == MB_YESNO ? IDNO : (kind == MB_OKCANCEL ? IDCANCEL : IDOK);
    }
    return pressed;
}
}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned style,
               bool ownedByMainWindow) {
    RecordedBox box{caption, text, style, ownedByMainWindow};
    if (gPresenter) return gPresenter(box);
    if (!Headless()) return ShowOnScreen(box);
    if (gEcho) std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    gRecorded.push_back(std::move(box));
    return gRecordedAnswer;
}

void SetBoxPresenter(BoxPresenter presenter) { gPresenter = std::move(presenter); }
void SetRecordedBoxAnswer(int answer) { gRecordedAnswer = answer; }
void SetBoxEcho(bool echo) { gEcho = echo; }
const std::vector<RecordedBox>& RecordedBoxes() { return gRecorded; }
void ClearRecordedBoxes() { gRecorded.clear(); }

}  // namespace platform
