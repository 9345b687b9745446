#include "key_clicks.h"

namespace e2e::cases {

PaletteInput palette_input(HWND palette_window) {
    const DWORD thread = GetWindowThreadProcessId(palette_window, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return {};
    return {info.hwndFocus, info.hwndCapture != nullptr};
}

bool click_button_handled(HWND palette_window, HWND button, Millis timeout) {
    if (!click(button)) return false;
    return poll(
        [&] {
            const PaletteInput input = palette_input(palette_window);
            return input.focus == button && !input.captured;
        },
        timeout, 5ms);
}

bool park_mouse(HWND away_from) {
    const auto rect = window_rect(away_from);
    if (!rect) return false;
    // Below the window's left corner, or above it when the window reaches the screen's foot.
    const LONG below = rect->bottom + 20;
    const LONG y = below < GetSystemMetrics(SM_CYSCREEN) ? below : rect->top - 20;
    return move_mouse_to(POINT{rect->left + 10, y});
}

}  // namespace e2e::cases
