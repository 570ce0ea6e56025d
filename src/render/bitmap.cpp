#include "render/bitmap.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/draw_constants.h"
#include "platform/surface.h"

Bitmap* NewBitmap(uint16_t flags, int width, int height) {
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    void* block = std::calloc(1, sizeof(Bitmap) + pixels);
    if (!block) {
        // Texture memory is not optional: the level cannot be drawn without it.
        throw std::bad_alloc();
    }
    return new (block) Bitmap{flags, static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                              static_cast<uint16_t>(pixels)};
}

void FreeBitmap(Bitmap* bitmap) { std::free(bitmap); }

Bitmap* CaptureBitmap(platform::Surface* surface, const int rect[4], uint16_t flags) {
    if (!surface) {
        return nullptr;
    }
    const int left = rect[0], top = rect[1], right = rect[2], bottom = rect[3];
    if (left < 0 || top < 0 || right < left || bottom < top ||
        right >= static_cast<int>(surface->Width()) ||
        bottom >= static_cast<int>(surface->Height())) {
        return nullptr;
    }
    platform::SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, platform::DDLOCK_WAIT) != platform::DD_OK) {
        return nullptr;
    }
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    Bitmap* bitmap = NewBitmap(flags, width, height);
    const uint8_t* sheet = static_cast<const uint8_t*>(desc.surface);
    uint8_t* out = bitmap->Pixels();
    if (flags & BitmapColumnMajor) {
        for (int x = left; x <= right; ++x) {
            for (int y = top; y <= bottom; ++y) {
                *out++ = sheet[y * desc.pitch + x];
            }
        }
    } else {
        for (int y = top; y <= bottom; ++y) {
            std::memcpy(out, sheet + y * desc.pitch + left, width);
            out += width;
        }
    }
    surface->Unlock();
    return bitmap;
}

namespace {

// Decodes line `index` of `lines` lines, each `length` texels long. A run that would run past
// the line's end is cut there.
int DecodeLine(int index, const Bitmap* bitmap, int lines, int length, uint8_t* buffer) {
    if (index < 0 || index >= lines) {
        return 0;
    }
    const uint8_t* data = bitmap->Pixels();
    uint16_t offset;
    std::memcpy(&offset, data + 2 * index, sizeof offset);
    if (offset == 0) {
        return 0;
    }
    const uint8_t* run = data + offset;
    int result = 3;
    for (int written = 0; written < length;) {
        const int count = run[0];
        const uint8_t value = run[1];
        if (count == 0) {
            break;  // a damaged line: no run may be empty
        }
        const int n = count < length - written ? count : length - written;
        if (value <= 2) {
            std::memset(buffer + written, value, n);
            if (value != 0) {
                result = value;
            }
            run += 2;
        } else {
            std::memcpy(buffer + written, run + 1, n);
            run += 1 + count;
        }
        written += n;
    }
    return result;
}

}  // namespace

int DecodeTextureColumn(int index, const Bitmap* bitmap, uint8_t* buffer) {
    return DecodeLine(index, bitmap, bitmap->width, bitmap->height, buffer);
}

int DecodeSpriteRow(int index, const Bitmap* bitmap, uint8_t* buffer) {
    return DecodeLine(index, bitmap, bitmap->height, bitmap->width, buffer);
}
