#include "win32/child_control.h"

namespace quillaro::win32 {

HWND create_child(HWND parent, const wchar_t* window_class, DWORD style, DWORD ex_style,
                  const ControlPlacement& placement, int dpi, const wchar_t* text) {
    const PixelRect rect = to_pixels(placement.rect, dpi);
    return CreateWindowExW(
        ex_style, window_class, text, style, rect.left, rect.top, rect.width(), rect.height(),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

void move_child(HWND control, const ControlPlacement& placement, int dpi) {
    const PixelRect rect = to_pixels(placement.rect, dpi);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.width(), rect.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillaro::win32
