// Pictures drawn over the 3D view: overlay images (BMP pictures cut into frames) and overlay
// items (a picture or a pane at a reference-screen position); the item at the cursor is drawn
// each frame, centred on it and scaled from the display to the view, colour 0 transparent.
#pragma once
#include <cstdint>

#include "shell/limits.h"

struct OverlayImage {
    int32_t height;
    int32_t width;
    int16_t frameHeight;
    int16_t frameWidth;
    int16_t rows;
    int16_t cols;
};

struct OverlayItem {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int16_t image;  // -1 none
    int16_t frameCount;
    int16_t frame;
    int16_t kind;  // OverlayPicture or OverlayPane
    int16_t x;
    int16_t y;
};

constexpr int16_t OverlayPicture = 1;
constexpr int16_t OverlayPane = 3;

// Image 0 is the display palette's picture; OverlaySurfaces (bmp_surface.h) holds the surfaces.
extern OverlayImage OverlayImages[MaxOverlayImages];
extern int OverlayImageCount;    // the next free image
extern int CurrentOverlayImage;  // the image loaded last
// Item 0 is reserved and never drawn.
extern OverlayItem OverlayItems[MaxOverlayItems];
extern int OverlayItemCount;

// The next image: the picture cut into frames of the size given, colour 0 transparent.
// 0 when it cannot be loaded, the image table is full or a frame size is not positive.
int LoadOverlayImage(const char* name, int frameWidth, int frameHeight);
// Releases the images from `first` on; they are handed out again from there. Always 1.
int FreeOverlayImages(int first);
// The script command LoadIcon: a new picture item at (x, y), which becomes the cursor item;
// the item, or -1.
int AddOverlay(const char* name, int frameWidth, int frameHeight, int x, int y);
// The script command AddPane: a new pane item (never drawn), which becomes the cursor item;
// the item, or -1.
int AddPane(int ignored, int width, int height, int x, int y);
// Draws the item's current frame centred on (x, y) of the reference screen (the cursor shown
// after a pick with its left edge on the view's left edge instead) and advances its frame: 1 drawn,
// 0 the blit failed, -1 nothing to draw (item 0, an item not there, a pane).
int DrawOverlay(int item, int x, int y);
