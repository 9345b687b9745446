#include "key_clicks.h"

#include "mouse_buttons.h"

namespace e2e {

bool palette_has_capture(HWND palette_window) {
    const DWORD thread = GetWindowThreadProcessId(palette_window, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return thread != 0 && GetGUIThreadInfo(thread, &info) && info.hwndCapture != nullptr;
}

bool click_button_handled(HWND palette_window, HWND button, Millis timeout) {
    const auto rect = client_rect_on_screen(button);
    if (!rect || !hover(button)) return false;
    const POINT centre = centre_of(*rect);
    const auto captured = [&] { return palette_has_capture(palette_window); };
    return move_button_at(centre, MouseButton::Left, ButtonMove::Down) &&
           poll(captured, timeout, 5ms) &&
           move_button_at(centre, MouseButton::Left, ButtonMove::Up) &&
           poll([&] { return !captured(); }, timeout, 5ms);
}

bool park_mouse(HWND away_from) {
    const auto rect = window_rect(away_from);
    if (!rect) return false;
    // Below the window's left corner, or above it when the window reaches the screen's foot.
    const LONG below = rect->bottom + 20;
    const LONG y = below < GetSystemMetrics(SM_CYSCREEN) ? below : rect->top - 20;
    return move_mouse_to(POINT{rect->left + 10, y});
}

}  // namespace e2e
