#include "win32/owned_window.h"

namespace quillaro::win32 {

LRESULT answer_scaled_size(LPARAM lparam, const RECT& frame) {
    auto* size = reinterpret_cast<SIZE*>(lparam);
    size->cx = frame.right - frame.left;
    size->cy = frame.bottom - frame.top;
    return TRUE;
}

void take_suggested_rect(HWND window, LPARAM lparam) {
    const auto* suggested = reinterpret_cast<const RECT*>(lparam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillaro::win32
