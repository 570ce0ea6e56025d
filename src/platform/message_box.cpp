#include "platform/message_box.h"

#include <SDL.h>

#include <cctype>
#include <iterator>
#include <optional>
#include <set>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/display.h"
#include "platform/limits.h"
#include "platform/messages.h"
#include "platform/quit_signals.h"
#include "platform/window.h"
#include "platform/window_detail.h"

namespace platform {
namespace {
BoxPresenter gPresenter;
std::vector<RecordedBox> gRecorded;
int gRecordedAnswer = IDOK;
bool gEcho = true;

// The places standing, innermost last.
std::vector<const BoxPlace*> gPlaces;

// The boxes counted against one file since its reading began: their captions, texts and places.
struct FileBoxes {
    std::set<std::string> shown;
};
std::unordered_map<std::string, FileBoxes> gFileBoxes;

// The last box asked for, when it was left out, and the place it was counted against. It is the
// box of a fault that ends the game only while that place stands at the line it was asked at:
// it is forgotten when a box is shown, a place begins or moves on to a line, or its place ends.
struct LeftOut {
    RecordedBox box;
    const BoxPlace* place;
};
std::optional<LeftOut> gLeftOut;

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

// Whether the text holds the name as a whole word of its own (as "Open demo.bmp failed." does).
bool NamesFile(const std::string& text, const std::string& name) {
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const size_t end = at + name.size();
        const bool clearBefore = at == 0 || !(IsNameChar(text[at - 1]) || text[at - 1] == '.' ||
                                              text[at - 1] == '/' || text[at - 1] == '\\');
        const bool clearAfter =
            end == text.size() ||
            (!IsNameChar(text[end]) &&
             !(text[end] == '.' && end + 1 < text.size() && IsNameChar(text[end + 1])));
        if (clearBefore && clearAfter) return true;
    }
    return false;
}

// Gives the box its place; the place it counts against (none when no place stands).
const BoxPlace* PlaceBox(RecordedBox& box) {
    const BoxPlace* counted = nullptr;
    for (auto it = gPlaces.rbegin(); it != gPlaces.rend(); ++it) {
        const BoxPlace& place = **it;
        if (place.File().empty()) continue;
        if (!counted) counted = &place;
        if (NamesFile(box.text, place.File())) continue;
        box.place = place.File();
        if (place.Line() > 0) box.place += ", line " + std::to_string(place.Line());
        counted = &place;
        break;
    }
    return counted;
}

// The answer of a box closed without a button.
int DefaultAnswer(unsigned style) {
    const unsigned kind = style & 0xF;
    return kind == MB_YESNO ? IDNO : (kind == MB_OKCANCEL ? IDCANCEL : IDOK);
}

// The box as a line on the standard error.
void Echo(const char* caption, const char* text) {
    WriteStandardError(std::string("[") + caption + "] " + text + "\n");
}

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
    const std::string message = ShownText(box);
    data.title = box.caption.c_str();
    data.message = message.c_str();
    data.numbuttons = count;
    data.buttons = buttons;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) {
        // No box could be shown (or it was closed without a button): the box's default answer.
        Echo(box.caption.c_str(), message.c_str());
        return DefaultAnswer(box.style);
    }
    return pressed;
}

int Deliver(RecordedBox box) {
    if (gPresenter) return gPresenter(box);
    if (!Headless()) return ShowOnScreen(box);
    if (gEcho) Echo(box.caption.c_str(), ShownText(box).c_str());
    gRecorded.push_back(std::move(box));
    return gRecordedAnswer;
}
}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned style,
               bool ownedByMainWindow) {
    RecordedBox box{caption, text, style, ownedByMainWindow, {}};
    if (const BoxPlace* place = PlaceBox(box)) {
        // The same text at the same place is one box; each other line of the file has its own.
        std::set<std::string>& shown = gFileBoxes[place->File()].shown;
        const std::string key = caption + '\n' + text + '\n' + box.place;
        if (shown.size() >= static_cast<size_t>(MaxBoxesPerFile) || !shown.insert(key).second) {
            gLeftOut = LeftOut{std::move(box), place};
            return DefaultAnswer(style);
        }
    }
    gLeftOut.reset();
    return Deliver(std::move(box));
}

int ShowBoxLeftOut() {
    if (!gLeftOut) return 0;
    RecordedBox box = std::move(gLeftOut->box);
    gLeftOut.reset();
    return Deliver(std::move(box));
}

std::string ShownText(const RecordedBox& box) {
    if (box.place.empty()) return box.text;
    const bool lineEnds =
        box.text.size() >= 2 && box.text.compare(box.text.size() - 2, 2, "\r\n") == 0;
    return lineEnds ? box.text + box.place + "\r\n" : box.text + "\n" + box.place;
}

BoxPlace::BoxPlace(const std::string& file, Count count, int line) : file_(file), line_(line) {
    if (count == Anew && !file_.empty()) gFileBoxes[file_] = FileBoxes{};
    gPlaces.push_back(this);
    gLeftOut.reset();
}

void BoxPlace::SetLine(int line) {
    line_ = line;
    gLeftOut.reset();
}

BoxPlace::~BoxPlace() {
    for (auto it = gPlaces.rbegin(); it != gPlaces.rend(); ++it) {
        if (*it == this) {
            gPlaces.erase(std::next(it).base());
            break;
        }
    }
    if (gLeftOut && gLeftOut->place == this) gLeftOut.reset();
}

void SetBoxPresenter(BoxPresenter presenter) { gPresenter = std::move(presenter); }
void SetRecordedBoxAnswer(int answer) { gRecordedAnswer = answer; }
void SetBoxEcho(bool echo) { gEcho = echo; }
const std::vector<RecordedBox>& RecordedBoxes() { return gRecorded; }
void ClearRecordedBoxes() {
    gRecorded.clear();
    gFileBoxes.clear();
    gLeftOut.reset();
}

}  // namespace platform
