// Draws Dear ImGui's frames with an SDL renderer: the font atlas becomes one texture and every
// draw command one clipped call of SDL's triangle drawing.
#pragma once
#include <SDL.h>
#include <imgui.h>

namespace platform {

class ImGuiRenderer {
public:
    // Needs the current ImGui context with its fonts added; uploads the font atlas.
    explicit ImGuiRenderer(SDL_Renderer* renderer);
    ~ImGuiRenderer();
    ImGuiRenderer(const ImGuiRenderer&) = delete;
    ImGuiRenderer& operator=(const ImGuiRenderer&) = delete;

    bool Ready() const { return fontTexture_ != nullptr; }
    void Draw(const ImDrawData* data);

private:
    SDL_Renderer* renderer_;
    SDL_Texture* fontTexture_ = nullptr;
};

}  // namespace platform
