// Finding and reading windows of other programs: top-level windows by exact title, child
// controls by control ID, and their text, styles and rectangles.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "poll.h"

namespace e2e {

// A visible or hidden top-level window whose title is exactly `title` (case and all), of the
// process `process_id` when that is not 0; nullptr if there is none.
HWND find_window(std::wstring_view title, DWORD process_id = 0);
// Every such window, in z-order from the top.
std::vector<HWND> find_windows(std::wstring_view title, DWORD process_id = 0);
// find_window() asked until it finds one; nullptr when `timeout` has passed.
HWND wait_for_window(std::wstring_view title, Millis timeout, DWORD process_id = 0);
// Throws Error naming the title when the window does not come.
HWND require_window(std::wstring_view title, Millis timeout, DWORD process_id = 0);

// Every top-level window of the process, visible or not, in z-order from the top.
std::vector<HWND> top_level_windows_of(DWORD process_id);
// Every window below `parent`: its children, theirs, and so on.
std::vector<HWND> children_of(HWND parent);

// The child control with this control ID, or nullptr.
HWND child_by_id(HWND parent, int control_id);
HWND wait_for_child(HWND parent, int control_id, Millis timeout);
HWND require_child(HWND parent, int control_id, Millis timeout);

// The window text as the window itself gives it (WM_GETTEXTLENGTH, WM_GETTEXT), which is what
// an EDIT control holds. Nothing if the window is gone or does not answer within `timeout`.
std::optional<std::wstring> window_text(HWND window, Millis timeout = 2000ms);

std::wstring class_name(HWND window);
LONG_PTR window_style(HWND window);
LONG_PTR window_ex_style(HWND window);
bool has_style(HWND window, LONG_PTR bits);
bool has_ex_style(HWND window, LONG_PTR bits);
bool is_visible(HWND window);
bool is_enabled(HWND window);
int control_id(HWND window);

// Rectangles in screen coordinates; nothing if the window is gone.
std::optional<RECT> window_rect(HWND window);
std::optional<RECT> client_rect_on_screen(HWND window);
POINT centre_of(const RECT& rect);

HWND foreground_window();
// The window with the keyboard focus in the thread that owns `window`.
HWND focus_of_thread_of(HWND window);

}  // namespace e2e
