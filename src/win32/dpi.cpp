#include "win32/dpi.h"

#include <cmath>

#include "win32/system_functions.h"

namespace quillaro::win32 {
int window_dpi(HWND window) {
    // Windows 10 knows each monitor's scale; older systems have one system DPI.
    static auto* const get_dpi_for_window =
        system_function<decltype(GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    if (get_dpi_for_window != nullptr && window != nullptr) {
        const UINT dpi = get_dpi_for_window(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

RECT window_rect_for_client(int width, int height, DWORD style, DWORD ex_style, int dpi) {
    RECT rect{0, 0, width, height};
    static auto* const adjust_for_dpi = system_function<decltype(AdjustWindowRectExForDpi)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjust_for_dpi != nullptr) {
        adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    }
    return rect;
}

int font_height(double points, int dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace quillaro::win32
