#include "platform/imgui_render_detail.h"

#include <cstddef>

namespace platform {

ImGuiRenderer::ImGuiRenderer(SDL_Renderer* renderer) : renderer_(renderer) {
    ImGuiIO& io = ImGui::GetIO();
    io.BackendFlags |= ImGuiBackendFlags_RendererHasVtxOffset;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    fontTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC,
                                     width, height);
    if (!fontTexture_) return;
    SDL_UpdateTexture(fontTexture_, nullptr, pixels, width * 4);
    SDL_SetTextureBlendMode(fontTexture_, SDL_BLENDMODE_BLEND);
    io.Fonts->SetTexID(static_cast<ImTextureID>(fontTexture_));
}

ImGuiRenderer::~ImGuiRenderer() {
    if (!fontTexture_) return;
    ImGui::GetIO().Fonts->SetTexID(nullptr);
    SDL_DestroyTexture(fontTexture_);
}

void ImGuiRenderer::Draw(const ImDrawData* data) {
    const ImVec2 offset = data->DisplayPos;
    for (int n = 0; n < data->CmdListsCount; ++n) {
        const ImDrawList* list = data->CmdLists[n];
        const ImDrawVert* vertices = list->VtxBuffer.Data;
        const ImDrawIdx* indices = list->IdxBuffer.Data;
        for (const ImDrawCmd& cmd : list->CmdBuffer) {
            const SDL_Rect clip{static_cast<int>(cmd.ClipRect.x - offset.x),
                                static_cast<int>(cmd.ClipRect.y - offset.y),
                                static_cast<int>(cmd.ClipRect.z - cmd.ClipRect.x),
                                static_cast<int>(cmd.ClipRect.w - cmd.ClipRect.y)};
            if (clip.w <= 0 || clip.h <= 0) continue;
            SDL_RenderSetClipRect(renderer_, &clip);
            const ImDrawVert* first = vertices + cmd.VtxOffset;
            const int stride = static_cast<int>(sizeof(ImDrawVert));
            SDL_RenderGeometryRaw(
                renderer_, static_cast<SDL_Texture*>(cmd.TextureId), &first->pos.x, stride,
                reinterpret_cast<const SDL_Color*>(&first->col), stride, &first->uv.x, stride,
                list->VtxBuffer.Size - static_cast<int>(cmd.VtxOffset), indices + cmd.IdxOffset,
                static_cast<int>(cmd.ElemCount), static_cast<int>(sizeof(ImDrawIdx)));
        }
    }
    SDL_RenderSetClipRect(renderer_, nullptr);
}

}  // namespace platform
