// Owning wrappers for Win32 handles: each handle is released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace quillaro::win32 {

template <typename Handle, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    [[nodiscard]] Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    void reset(Handle handle = Handle{}) {
        if (Traits::valid(handle_)) Traits::close(handle_);
        handle_ = handle;
    }
    // Gives up ownership without closing: for a handle something else has closed already.
    Handle release() { return std::exchange(handle_, Handle{}); }

  private:
    Handle handle_{};
};

struct KernelHandleTraits {
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct FontTraits {
    static bool valid(HFONT h) { return h != nullptr; }
    static void close(HFONT h) { DeleteObject(h); }
};
struct WindowTraits {
    static bool valid(HWND h) { return h != nullptr && IsWindow(h); }
    static void close(HWND h) { DestroyWindow(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

}  // namespace quillaro::win32
