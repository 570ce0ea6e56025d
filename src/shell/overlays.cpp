#include "shell/overlays.h"

#include "platform/draw_constants.h"
#include "platform/result_codes.h"
#include "platform/surface.h"
#include "render/render_state.h"
#include "shell/bmp_surface.h"
#include "shell/direct_x.h"
#include "shell/input.h"

OverlayImage OverlayImages[MaxOverlayImages];
int OverlayImageCount = 0;
int CurrentOverlayImage = 0;
OverlayItem OverlayItems[MaxOverlayItems];
int OverlayItemCount = 0;

int LoadOverlayImage(const char* name, int frameWidth, int frameHeight) {
    if (OverlayImageCount >= MaxOverlayImages || OverlayImageCount < 0) {
        return 0;  // no row left for the picture
    }
    const int previous = CurrentOverlayImage;
    CurrentOverlayImage = OverlayImageCount++;
    if (!LoadBmpImage(name, DDrawObject, &OverlaySurfaces[CurrentOverlayImage])) {
        return 0;
    }
    if (frameWidth <= 0 || frameHeight <= 0) {
        // No frame to cut: the picture is let go and its row is free again.
        OverlaySurfaces[CurrentOverlayImage]->Release();
        OverlaySurfaces[CurrentOverlayImage] = nullptr;
        OverlayImageCount = CurrentOverlayImage;
        CurrentOverlayImage = previous;
        return 0;
    }
    OverlayImage& image = OverlayImages[CurrentOverlayImage];
    image.frameWidth = static_cast<int16_t>(frameWidth);
    image.frameHeight = static_cast<int16_t>(frameHeight);
    image.rows = static_cast<int16_t>(image.height / frameHeight);
    image.cols = static_cast<int16_t>(image.width / frameWidth);
    platform::ColorKey key;
    OverlaySurfaces[CurrentOverlayImage]->SetColorKey(platform::DDCKEY_SRCBLT, &key);
    return 1;
}

int FreeOverlayImages(int first) {
    for (int i = first < 0 ? 0 : first; i < OverlayImageCount && i < MaxOverlayImages; ++i) {
        if (OverlaySurfaces[i]) {
            if (OverlaySurfaces[i]->IsLocked()) {
                OverlaySurfaces[i]->Unlock();
            }
            OverlaySurfaces[i]->Release();
            OverlaySurfaces[i] = nullptr;
        }
    }
    OverlayImageCount = first;
    CurrentOverlayImage = first;
    return 1;
}

namespace {

// The next item, made the cursor item; -1 when the table is full.
int AddItem(const OverlayItem& item) {
    if (OverlayItemCount >= MaxOverlayItems) {
        return -1;
    }
    const int i = OverlayItemCount++;
    OverlayItems[i] = item;
    CursorItem = i;
    return i;
}

}  // namespace

int AddOverlay(const char* name, int frameWidth, int frameHeight, int x, int y) {
    if (OverlayItemCount >= MaxOverlayItems || !LoadOverlayImage(name, frameWidth, frameHeight)) {
        return -1;
    }
    const OverlayImage& image = OverlayImages[CurrentOverlayImage];
    return AddItem({x, y, x + frameWidth, y + frameHeight,
                    static_cast<int16_t>(CurrentOverlayImage),
                    static_cast<int16_t>(image.rows * image.cols), 0, OverlayPicture,
                    static_cast<int16_t>(x), static_cast<int16_t>(y)});
}

int AddPane(int, int width, int height, int x, int y) {
    return AddItem({x, y, x + width, y + height, -1, 0, 0, OverlayPane, static_cast<int16_t>(x),
                    static_cast<int16_t>(y)});
}

int DrawOverlay(int item, int x, int y) {
    if (item <= 0 || item >= OverlayItemCount || !BackBuffer || DisplayWidth <= 0 ||
        DisplayHeight <= 0) {
        return -1;
    }
    OverlayItem& entry = OverlayItems[item];
    const int m = entry.image;
    if (m < 0 || m >= OverlayImageCount || !OverlaySurfaces[m] || OverlayImages[m].cols <= 0) {
        // A pane, or a picture that could not be cut into frames.
        return -1;
    }
    const OverlayImage& image = OverlayImages[m];
    const int fw = image.frameWidth, fh = image.frameHeight;
    const int c = entry.frame % image.cols;
    const int r = (entry.frame - c) / image.cols;

    // The cursor shown after a pick stands at the left edge of the view, at the pointer's height.
    int64_t left = item == PickedCursorItem ? 0 : x - fw / 2;
    int64_t top = y - fh / 2;
    left = left * ViewWidth / DisplayWidth;
    top = top * ViewHeight / DisplayHeight;
    // Kept inside the view that is shown (three quarters of the display each way), so that an
    // edge arrow at the right or bottom edge shows whole rather than its first few columns.
    const platform::Rect view = ViewRect();
    if (left >= view.right - fw) {
        left = view.right - fw;
    } else if (left < 0) {
        left = 0;
    }
    if (top >= view.bottom - fh) {
        top = view.bottom - fh;
    } else if (top < 0) {
        top = 0;
    }

    const platform::Rect source{fw * c, fh * r, fw * (c + 1), fh * (r + 1)};
    platform::HResult result;
    do {
        result = BackBuffer->BltFast(static_cast<uint32_t>(left), static_cast<uint32_t>(top),
                                     OverlaySurfaces[m], &source, platform::DDBLTFAST_SRCCOLORKEY);
    } while (result == platform::DDERR_WASSTILLDRAWING);
    if (result != platform::DD_OK) {
        return 0;
    }
    entry.frame = entry.frame >= entry.frameCount - 1 ? 0 : entry.frame + 1;
    return 1;
}
