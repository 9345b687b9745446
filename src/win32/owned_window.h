// Top-level windows that each belong to one C++ object, and the DPI messages they all answer
// the same way.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

// The window procedure of a class whose windows each belong to one `Owner`, passed as the
// last argument of CreateWindowExW. From WM_NCCREATE on, the owner's `window_` is set and
// every message goes to its `handle`; messages before that, and after the owner has let go of
// the window (window_ back to null), get the default handling.
template <typename Owner>
LRESULT CALLBACK owned_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->window_ = window;
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr || owner->window_ == nullptr) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return owner->handle(message, wparam, lparam);
}

// WM_GETDPISCALEDSIZE: the window's exact size at the new DPI is that of `frame`, so the size
// Windows suggests afterwards needs no fixing.
LRESULT answer_scaled_size(LPARAM lparam, const RECT& frame);

// WM_DPICHANGED: moves and sizes `window` to the rectangle Windows suggests.
void take_suggested_rect(HWND window, LPARAM lparam);

}  // namespace quillaro::win32
