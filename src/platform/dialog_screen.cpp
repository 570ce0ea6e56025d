// A dialog on the screen: a window of its own without the desktop's frame, drawn with Dear ImGui
// over SDL's renderer. Its caption (title and close box) is drawn here and drags the window.
// Clicks, row choices and keys become the dialog manager's actions.
#include "platform/dialog_screen_detail.h"

#include <SDL.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <string>
#include <vector>

#include "platform/dialog_window_detail.h"
#include "platform/imgui_render_detail.h"
#include "platform/input_detail.h"
#include "platform/quit_signals.h"

namespace platform::dialog {
namespace {

constexpr float FontPixels = 14.0f;
constexpr float BuiltInFontPixels = 13.0f;  // ImGui's own font, when the game's is missing
constexpr Uint32 FrameWaitMs = 16;
// The close box at the right end of the caption is not part of the dragging area.
constexpr int CloseBoxPixels = 24;

int gCaptionPixels = 0;  // of the dialog being shown, for the drag test below

SDL_HitTestResult CaptionDrags(SDL_Window* window, const SDL_Point* point, void*) {
    int width = 0;
    SDL_GetWindowSize(window, &width, nullptr);
    if (point->y < gCaptionPixels && point->x < width - CloseBoxPixels) {
        return SDL_HITTEST_DRAGGABLE;
    }
    return SDL_HITTEST_NORMAL;
}

int VirtualKeyOf(SDL_Keycode key) {
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_TAB: return VK_TAB;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_HOME: return VK_HOME;
        case SDLK_END: return VK_END;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        default: return 0;
    }
}

bool ForWindow(const SDL_Event& event, Uint32 windowId) {
    switch (event.type) {
        case SDL_WINDOWEVENT: return event.window.windowID == windowId;
        case SDL_KEYDOWN:
        case SDL_KEYUP: return event.key.windowID == windowId;
        case SDL_TEXTINPUT: return event.text.windowID == windowId;
        case SDL_MOUSEMOTION: return event.motion.windowID == windowId;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return event.button.windowID == windowId;
        case SDL_MOUSEWHEEL: return event.wheel.windowID == windowId;
        default: return false;
    }
}

// Saves what the renderer holds now (before it is presented) as a BMP file.
void Capture(SDL_Renderer* renderer, const std::string& path) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) return;
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!picture) return;
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, picture->pixels,
                             picture->pitch) == 0) {
        SDL_SaveBMP(picture, path.c_str());
    }
    SDL_FreeSurface(picture);
}

class Painter {
public:
    explicit Painter(DialogState& state) : state_(state) {}

    // Draws the dialog and gathers what the person did in it.
    std::vector<DialogAction> Draw(int width, int height) {
        std::vector<DialogAction> done;
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImVec2(static_cast<float>(width), static_cast<float>(height)));
        bool open = true;
        const std::string title = state_.dialogTemplate.title + "###dialog";
        ImGui::Begin(title.c_str(), &open,
                     ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                         ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings |
                         ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        origin_ = ImGui::GetWindowPos();
        origin_.y += ImGui::GetFrameHeight();
        // Group boxes lie under the controls they hold.
        for (size_t i = 0; i < state_.controls.size(); ++i) {
            const Control& control = state_.controls[i];
            if (control.item.controlClass == ControlClass::Button && IsGroupBox(control.item)) {
                DrawGroupBox(control);
            }
        }
        for (size_t i = 0; i < state_.controls.size(); ++i) {
            Control& control = state_.controls[i];
            ImGui::PushID(static_cast<int>(i));
            switch (control.item.controlClass) {
                case ControlClass::Static: DrawStatic(control); break;
                case ControlClass::Button:
                    if (!IsGroupBox(control.item)) DrawButton(control, done);
                    break;
                case ControlClass::ListBox: DrawList(control, done); break;
            }
            if (static_cast<int>(i) == state_.focus) DrawFocus(control);
            ImGui::PopID();
        }
        ImGui::End();
        if (!open) done.push_back(DialogAction::PressKey(VK_ESCAPE));
        return done;
    }

private:
    ImVec2 TopLeft(const DialogItem& item) const {
        return ImVec2(origin_.x + DialogUnitsToPixelsX(item.x),
                      origin_.y + DialogUnitsToPixelsY(item.y));
    }
    static ImVec2 SizeOf(const DialogItem& item) {
        return ImVec2(static_cast<float>(DialogUnitsToPixelsX(item.cx)),
                      static_cast<float>(DialogUnitsToPixelsY(item.cy)));
    }

    void DrawGroupBox(const Control& control) {
        ImDrawList* draw = ImGui::GetWindowDrawList();
        const ImVec2 at = TopLeft(control.item);
        const ImVec2 size = SizeOf(control.item);
        const float half = ImGui::GetFontSize() / 2;
        draw->AddRect(ImVec2(at.x, at.y + half), ImVec2(at.x + size.x, at.y + size.y),
                      ImGui::GetColorU32(ImGuiCol_Border));
        const char* text = control.item.text.c_str();
        const ImVec2 label(at.x + 6, at.y);
        const ImVec2 textSize = ImGui::CalcTextSize(text);
        draw->AddRectFilled(ImVec2(label.x - 2, label.y),
                            ImVec2(label.x + textSize.x + 2, label.y + textSize.y),
                            ImGui::GetColorU32(ImGuiCol_WindowBg));
        draw->AddText(label, ImGui::GetColorU32(ImGuiCol_Text), text);
    }

    void DrawStatic(const Control& control) {
        ImGui::SetCursorScreenPos(TopLeft(control.item));
        ImGui::TextUnformatted(control.item.text.c_str());
    }

    void DrawButton(Control& control, std::vector<DialogAction>& done) {
        ImGui::SetCursorScreenPos(TopLeft(control.item));
        if (IsRadioButton(control.item)) {
            if (ImGui::RadioButton(control.item.text.c_str(), control.checked)) {
                done.push_back(DialogAction::ClickOn(control.item.id));
            }
            return;
        }
        const bool isDefault = IsDefaultButton(control.item);
        if (isDefault) ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 2.0f);
        if (ImGui::Button(control.item.text.c_str(), SizeOf(control.item))) {
            done.push_back(DialogAction::ClickOn(control.item.id));
        }
        if (isDefault) ImGui::PopStyleVar();
    }

    void DrawList(Control& control, std::vector<DialogAction>& done) {
        ImGui::SetCursorScreenPos(TopLeft(control.item));
        if (!ImGui::BeginListBox("##rows", SizeOf(control.item))) return;
        for (size_t row = 0; row < control.rows.size(); ++row) {
            const bool selected = static_cast<int>(row) == control.selection;
            ImGui::PushID(static_cast<int>(row));
            if (ImGui::Selectable(control.rows[row].c_str(), selected,
                                  ImGuiSelectableFlags_AllowDoubleClick)) {
                const int r = static_cast<int>(row);
                done.push_back(ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)
                                   ? DialogAction::DoubleClickRow(control.item.id, r)
                                   : DialogAction::SelectRow(control.item.id, r));
            }
            if (selected && control.scrollToSelection) {
                ImGui::SetScrollHereY();
                control.scrollToSelection = false;
            }
            ImGui::PopID();
        }
        ImGui::EndListBox();
    }

    void DrawFocus(const Control& control) {
        const ImVec2 at = TopLeft(control.item);
        const ImVec2 size = SizeOf(control.item);
        ImGui::GetWindowDrawList()->AddRect(ImVec2(at.x - 2, at.y - 2),
                                            ImVec2(at.x + size.x + 2, at.y + size.y + 2),
                                            ImGui::GetColorU32(ImGuiCol_NavHighlight));
    }

    DialogState& state_;
    ImVec2 origin_;
};

// Sets the font and colours; returns the font's height in pixels.
float SetUpLooks() {
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing is stored between runs
    io.LogFilename = nullptr;
    float fontPixels = BuiltInFontPixels;
    if (SDL_RWops* font = SDL_RWFromFile(DUSK_FONT_FILE, "rb")) {
        SDL_RWclose(font);
        if (io.Fonts->AddFontFromFileTTF(DUSK_FONT_FILE, FontPixels)) fontPixels = FontPixels;
    }
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowPadding = ImVec2(0, 0);
    style.WindowRounding = 0;
    style.WindowBorderSize = 1;
    style.FrameBorderSize = 1;
    style.FramePadding = ImVec2(4, 3);
    style.ItemSpacing = ImVec2(4, 2);  // list rows 16 pixels apart: 8 dialog units
    return fontPixels;
}

// Runs the dialog's frames in its window until it ends.
void RunFrames(DialogState& state, SDL_Window* window, SDL_Renderer* renderer, int width,
               int height) {
    ImGui_ImplSDL2_InitForSDLRenderer(window);
    ImGuiRenderer imguiRenderer(renderer);
    const Uint32 windowId = SDL_GetWindowID(window);
    Painter painter(state);
    bool drawnOnce = false;
    while (!state.ended) {
        SDL_Event event;
        bool have = SDL_WaitEventTimeout(&event, FrameWaitMs) != 0;
        // A quit signal cancels the dialog, as its close box does.
        if (TakeQuitSignal()) Perform(state, DialogAction::PressKey(VK_ESCAPE));
        for (; have && !state.ended; have = SDL_PollEvent(&event) != 0) {
            if (event.type == SDL_QUIT) {
                Perform(state, DialogAction::PressKey(VK_ESCAPE));
                continue;
            }
            if (!ForWindow(event, windowId)) continue;
            ImGui_ImplSDL2_ProcessEvent(&event);
            if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
                Perform(state, DialogAction::PressKey(VK_ESCAPE));
            } else if (event.type == SDL_KEYDOWN) {
                if (const int key = VirtualKeyOf(event.key.keysym.sym)) {
                    Perform(state, DialogAction::PressKey(key, event.key.keysym.mod & KMOD_SHIFT));
                }
            }
        }
        // Queued actions, one a frame once the dialog has been seen.
        std::string captureTo;
        if (drawnOnce && !state.actions.empty() && !state.ended) {
            DialogAction action = std::move(state.actions.front());
            state.actions.pop_front();
            if (action.kind == DialogAction::Kind::Capture) {
                captureTo = action.path;
            } else {
                Perform(state, action);
            }
        }
        if (state.ended || !imguiRenderer.Ready()) break;

        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        std::vector<DialogAction> done = painter.Draw(width, height);
        ImGui::Render();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        imguiRenderer.Draw(ImGui::GetDrawData());
        if (!captureTo.empty()) Capture(renderer, captureTo);
        SDL_RenderPresent(renderer);
        drawnOnce = true;
        for (const DialogAction& action : done) {
            if (!state.ended) Perform(state, action);
        }
    }
    ImGui_ImplSDL2_Shutdown();
}

}  // namespace

intptr_t RunOnScreen(DialogState& state, Hwnd owner) {
    const DialogTemplate& t = state.dialogTemplate;
    int x = DialogUnitsToPixelsX(t.x);
    int y = DialogUnitsToPixelsY(t.y);
    Rect ownerRect;
    if (GetWindowRect(owner, &ownerRect)) {
        x += ownerRect.left;
        y += ownerRect.top;
    }

    IMGUI_CHECKVERSION();
    ImGuiContext* context = ImGui::CreateContext();
    const float fontPixels = SetUpLooks();
    // The caption is as high as ImGui's title bar.
    gCaptionPixels = static_cast<int>(fontPixels + ImGui::GetStyle().FramePadding.y * 2);
    const int width = DialogUnitsToPixelsX(t.cx);
    const int height = gCaptionPixels + DialogUnitsToPixelsY(t.cy);

    SDL_Window* window = SDL_CreateWindow(t.title.c_str(), x, y, width, height,
                                          SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    intptr_t result = -1;
    if (renderer) {
        SDL_SetWindowHitTest(window, CaptionDrags, nullptr);
        SDL_RaiseWindow(window);
        RunFrames(state, window, renderer, width, height);
        if (state.ended) result = state.result;
        SDL_DestroyRenderer(renderer);
    } else {
        WriteStandardError(std::string("dialog window: ") + SDL_GetError() + "\n");
    }
    if (window) SDL_DestroyWindow(window);
    ImGui::DestroyContext(context);
    return result;
}

}  // namespace platform::dialog
