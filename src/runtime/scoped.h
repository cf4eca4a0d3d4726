// Owned platform handles, one way: each type frees what it holds when it goes
// away and is moved, never copied. Raw handles are only ever borrowed.
#pragma once

#include <utility>

#include "runtime/win32.h"

namespace vemo {

// One owned handle of kind Traits::Handle; Traits says what is empty and how
// to free it.
template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) { Traits::Adopted(handle_); }
    ~UniqueHandle() { Drop(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Drop();
            handle_ = other.release();  // already adopted by `other`
        }
        return *this;
    }

    Handle get() const { return handle_; }
    bool valid() const { return !Traits::IsEmpty(handle_); }
    explicit operator bool() const { return valid(); }

    // Gives the handle up without freeing it.
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    // Frees what is held and takes `handle`; false when the free failed.
    bool reset(Handle handle = Traits::Empty()) {
        const bool freed = Drop();
        handle_ = handle;
        Traits::Adopted(handle_);
        return freed;
    }

  private:
    bool Drop() {
        const Handle old = std::exchange(handle_, Traits::Empty());
        return Traits::IsEmpty(old) || Traits::Free(old);
    }
    Handle handle_ = Traits::Empty();
};

// Kernel objects: files, events, processes. The platform returns either null
// or INVALID_HANDLE_VALUE for "none", depending on the call.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    static void Adopted(Handle) {}
    static bool Free(Handle h) { return CloseHandle(h) != 0; }
};
using ScopedHandle = UniqueHandle<KernelHandleTraits>;

// GDI objects the runtime or the program creates. Every one is counted while
// it lives, so a test can see that opening and closing windows leaks none.
namespace detail {
void CountGdiObject(int change);
}  // namespace detail
int LiveGdiObjects();

// Handles that are empty when null and freed by one platform call. Counted
// ones are GDI resources, for LiveGdiObjects.
template <class H, auto kFree, bool kCounted = false>
struct NullHandleTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle h) { return h == nullptr; }
    static void Adopted(Handle h) {
        if (kCounted && h != nullptr) detail::CountGdiObject(+1);
    }
    static bool Free(Handle h) {
        if (kCounted) detail::CountGdiObject(-1);
        return kFree(h) != 0;
    }
};
using ScopedFont = UniqueHandle<NullHandleTraits<HFONT, &DeleteObject, true>>;
using ScopedBrush = UniqueHandle<NullHandleTraits<HBRUSH, &DeleteObject, true>>;
using ScopedBitmap = UniqueHandle<NullHandleTraits<HBITMAP, &DeleteObject, true>>;
using ScopedIcon = UniqueHandle<NullHandleTraits<HICON, &DestroyIcon, true>>;
// A memory device context made with CreateCompatibleDC.
using ScopedMemoryDc = UniqueHandle<NullHandleTraits<HDC, &DeleteDC>>;
using ScopedHook = UniqueHandle<NullHandleTraits<HHOOK, &UnhookWindowsHookEx>>;
using ScopedMenu = UniqueHandle<NullHandleTraits<HMENU, &DestroyMenu>>;

// Selects an object into a device context and puts the old one back.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context from GetDC, released on the same window.
class ScopedGetDc {
  public:
    explicit ScopedGetDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ScopedGetDc(const ScopedGetDc&) = delete;
    ScopedGetDc& operator=(const ScopedGetDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

}  // namespace vemo
