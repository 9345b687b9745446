#include "mouse_buttons.h"

namespace e2e::cases {

bool press_button_at(POINT point, MouseButton button) {
    // Absolute coordinates run from 0 to 65535 across the primary screen; rounding up lands
    // inside the pixel.
    const auto normalised = [](LONG pixel, int extent) {
        return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
    };
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const bool left = button == MouseButton::Left;
    INPUT events[2]{};
    for (INPUT& event : events) {
        event.type = INPUT_MOUSE;
        event.mi.dx = normalised(point.x, GetSystemMetrics(SM_CXSCREEN));
        event.mi.dy = normalised(point.y, GetSystemMetrics(SM_CYSCREEN));
    }
    events[0].mi.dwFlags = at | (left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    events[1].mi.dwFlags = at | (left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    return SendInput(2, events, sizeof(INPUT)) == 2;
}

}  // namespace e2e::cases
