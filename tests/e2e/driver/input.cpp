#include "input.h"

#include <iterator>
#include <vector>

#include "poll.h"
#include "window.h"

namespace e2e {

namespace {

// Absolute mouse coordinates run from 0 to 65535 across the primary screen. Rounding the
// pixel's start up lands inside the pixel whether the system truncates or rounds back.
LONG normalised(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

bool send(std::vector<INPUT>& events) {
    const UINT count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), static_cast<int>(sizeof(INPUT))) == count;
}

INPUT mouse_event(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT event{};
    event.type = INPUT_MOUSE;
    event.mi.dx = dx;
    event.mi.dy = dy;
    event.mi.dwFlags = flags;
    return event;
}

INPUT key_event(WORD virtual_key, WORD scan, DWORD flags) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtual_key;
    event.ki.wScan = scan;
    event.ki.dwFlags = flags;
    return event;
}

constexpr Millis kCursorSettle = 60ms;

bool cursor_at(POINT point) {
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

// The point to aim at inside `window`, provided a click there would reach it.
bool aim_at(HWND window, POINT& point) {
    if (!IsWindow(window)) return false;
    const auto rect = client_rect_on_screen(window);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    point = centre_of(*rect);
    return top_level_at(point) == GetAncestor(window, GA_ROOT);
}

}  // namespace

bool move_mouse_to(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return false;
    std::vector<INPUT> events{mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                                          normalised(point.x, width), normalised(point.y, height))};
    // Under Wine the cursor can jump back to where it was just after a move has arrived (seen
    // as a button-up reaching the key hovered before, most likely a program still reading older
    // X events), and a click would land there. The move counts once the cursor has stayed put
    // for a moment; else it is made again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!send(events)) return false;
        // Generous: on a busy machine the move can take seconds to reach the cursor.
        if (!poll([&] { return cursor_at(point); }, 10s, 5ms)) return false;
        if (!poll([&] { return !cursor_at(point); }, kCursorSettle, 5ms)) return true;
    }
    return false;
}

HWND top_level_at(POINT point) {
    // WindowFromPoint skips disabled controls; their top-level window still takes the click.
    HWND hit = WindowFromPoint(point);
    return hit != nullptr ? GetAncestor(hit, GA_ROOT) : nullptr;
}

bool click_at(POINT point) {
    if (!move_mouse_to(point)) return false;
    // The button events carry the point as well: under Wine a busy program may still feed
    // back the X server's motion events of earlier moves, which can move the cursor away
    // between the move and the click.
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const LONG x = normalised(point.x, GetSystemMetrics(SM_CXSCREEN));
    const LONG y = normalised(point.y, GetSystemMetrics(SM_CYSCREEN));
    std::vector<INPUT> events{mouse_event(at | MOUSEEVENTF_LEFTDOWN, x, y),
                              mouse_event(at | MOUSEEVENTF_LEFTUP, x, y)};
    return send(events);
}

bool hover(HWND window) {
    POINT point{};
    return aim_at(window, point) && move_mouse_to(point);
}

bool click(HWND window) {
    POINT point{};
    return aim_at(window, point) && click_at(point);
}

bool turn_wheel(int notches) {
    INPUT event = mouse_event(MOUSEEVENTF_WHEEL);
    event.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    std::vector<INPUT> events{event};
    return send(events);
}

bool type_text(std::wstring_view text) {
    if (text.empty()) return true;
    std::vector<INPUT> events;
    events.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        const auto scan = static_cast<WORD>(unit);
        events.push_back(key_event(0, scan, KEYEVENTF_UNICODE));
        events.push_back(key_event(0, scan, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return send(events);
}

bool press_key(WORD virtual_key) { return press_keys({virtual_key}); }

bool press_keys(std::initializer_list<WORD> virtual_keys) {
    std::vector<INPUT> events;
    for (const WORD key : virtual_keys) events.push_back(key_event(key, 0, 0));
    for (auto key = std::rbegin(virtual_keys); key != std::rend(virtual_keys); ++key) {
        events.push_back(key_event(*key, 0, KEYEVENTF_KEYUP));
    }
    return send(events);
}

}  // namespace e2e
