// Small value types shared by the window, input and drawing services.
#pragma once
#include <cstdint>

namespace platform {

// A rectangle whose right and bottom edges are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The smallest rectangle holding both.
inline Rect Bounding(const Rect& a, const Rect& b) {
    return Rect{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Size {
    int32_t cx = 0;
    int32_t cy = 0;
};

// A window; handles are pointers to it and null means none.
struct Window;
using Hwnd = Window*;

// Objects of the drawing services count their references; the last Release deletes them.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    uint32_t AddRef() { return ++refs_; }
    uint32_t Release() {
        uint32_t left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~RefCounted() = default;

private:
    uint32_t refs_ = 1;
};

}  // namespace platform
