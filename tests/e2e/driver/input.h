// Real user input through SendInput: the mouse moves, clicks and hovers, the keyboard types.
// The system routes these events as it routes a person's: to the window under the cursor,
// activating it on a click, and to the focus of the foreground window.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace e2e {

// Moves the cursor to `point` (screen pixels) with an absolute move and waits until the
// system reports the cursor there and it stays there for a moment. False if it never does.
bool move_mouse_to(POINT point);

// The top-level window that a click at `point` would reach, or nullptr.
HWND top_level_at(POINT point);

// Left click (down, up) at `point` after moving there. False if the move or the input failed.
bool click_at(POINT point);

// Hover over / click the centre of `window`'s client area. These refuse (return false) when
// the window is gone or another top-level window covers that point, since the click would
// then land elsewhere. Their effect comes later: poll for it.
bool hover(HWND window);
bool click(HWND window);

// Turns the mouse wheel by `notches` (WHEEL_DELTA each) where the cursor is: positive away from
// the user, which scrolls up; negative towards the user, which scrolls down.
bool turn_wheel(int notches);

// Types `text` as one batch of KEYEVENTF_UNICODE events, a key-down and key-up per UTF-16
// unit (a surrogate pair is two units, typed in order). False if the system took fewer events
// than were sent.
bool type_text(std::wstring_view text);

// Presses and releases one virtual key, as a scan-code-less key event.
bool press_key(WORD virtual_key);
// Presses the keys in order and releases them in reverse, as a chord: {VK_CONTROL, 'F'}.
bool press_keys(std::initializer_list<WORD> virtual_keys);

}  // namespace e2e
