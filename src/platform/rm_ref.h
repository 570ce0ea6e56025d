// A counted reference to a scene-graph object: holding one keeps the object alive.
#pragma once
#include <utility>

namespace platform {

template <class T>
class RmRef {
public:
    RmRef() = default;
    // Takes a new reference to p (null allowed).
    explicit RmRef(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    RmRef(const RmRef& o) : RmRef(o.p_) {}
    RmRef(RmRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    RmRef& operator=(RmRef o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~RmRef() {
        if (p_) p_->Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Wraps an object just made (reference count 1) without taking another reference.
template <class T>
RmRef<T> RmAdopt(T* p) {
    RmRef<T> r(p);
    p->Release();
    return r;
}

}  // namespace platform
