#include "mouse_buttons.h"

#include <array>

namespace e2e {

namespace {

// The button's press, then its release, as events that carry the point.
std::array<INPUT, 2> button_events(POINT point, MouseButton button) {
    // Absolute coordinates run from 0 to 65535 across the primary screen; rounding up lands
    // inside the pixel.
    const auto normalised = [](LONG pixel, int extent) {
        return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
    };
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const bool left = button == MouseButton::Left;
    std::array<INPUT, 2> events{};
    for (INPUT& event : events) {
        event.type = INPUT_MOUSE;
        event.mi.dx = normalised(point.x, GetSystemMetrics(SM_CXSCREEN));
        event.mi.dy = normalised(point.y, GetSystemMetrics(SM_CYSCREEN));
    }
    events[0].mi.dwFlags = at | (left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    events[1].mi.dwFlags = at | (left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    return events;
}

}  // namespace

bool press_button_at(POINT point, MouseButton button) {
    std::array<INPUT, 2> events = button_events(point, button);
    return SendInput(2, events.data(), sizeof(INPUT)) == 2;
}

bool move_button_at(POINT point, MouseButton button, ButtonMove move) {
    std::array<INPUT, 2> events = button_events(point, button);
    INPUT& event = move == ButtonMove::Down ? events[0] : events[1];
    return SendInput(1, &event, sizeof(INPUT)) == 1;
}

}  // namespace e2e
