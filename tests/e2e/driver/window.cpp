#include "window.h"

#include <algorithm>
#include <vector>

#include "report.h"
#include "text.h"

namespace e2e {

namespace {

// GetWindowTextW reads the title a top-level window keeps in the window manager's own record
// without sending it a message, so a hung program cannot block the search.
std::wstring stored_title(HWND window) {
    std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(window)) + 2);
    const int length = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

struct WindowsOf {
    DWORD process_id;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect_top_level(HWND window, LPARAM param) {
    auto* of = reinterpret_cast<WindowsOf*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == of->process_id) of->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> top_level_windows_of(DWORD process_id) {
    WindowsOf of{process_id, {}};
    EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&of));
    return of.windows;
}

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<HWND> find_windows(std::wstring_view title, DWORD process_id) {
    const std::wstring wanted(title);
    std::vector<HWND> found;
    // FindWindowExW compares titles without regard to case; check each candidate exactly.
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, nullptr, wanted.c_str())) != nullptr) {
        if (stored_title(candidate) != wanted) continue;
        if (process_id != 0) {
            DWORD owner = 0;
            GetWindowThreadProcessId(candidate, &owner);
            if (owner != process_id) continue;
        }
        found.push_back(candidate);
    }
    return found;
}

HWND find_window(std::wstring_view title, DWORD process_id) {
    const std::vector<HWND> found = find_windows(title, process_id);
    return found.empty() ? nullptr : found.front();
}

HWND wait_for_window(std::wstring_view title, Millis timeout, DWORD process_id) {
    return poll_for([&] { return find_window(title, process_id); }, timeout);
}

HWND require_window(std::wstring_view title, Millis timeout, DWORD process_id) {
    HWND window = wait_for_window(title, timeout, process_id);
    if (window == nullptr) {
        throw Error("no window titled " + describe(title) + " within " +
                    std::to_string(timeout.count()) + " ms");
    }
    return window;
}

HWND child_by_id(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND wait_for_child(HWND parent, int id, Millis timeout) {
    return poll_for([&] { return child_by_id(parent, id); }, timeout);
}

HWND require_child(HWND parent, int id, Millis timeout) {
    HWND child = wait_for_child(parent, id, timeout);
    if (child == nullptr) {
        throw Error("no child control with ID " + std::to_string(id) + " within " +
                    std::to_string(timeout.count()) + " ms");
    }
    return child;
}

std::optional<std::wstring> window_text(HWND window, Millis timeout) {
    const auto wait = static_cast<UINT>(timeout.count());
    // The text can grow between asking its length and fetching it: fetch into a larger buffer
    // until the answer no longer fills it.
    for (size_t room = 256;;) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, wait, &length)) {
            return std::nullopt;
        }
        room = std::max(room, static_cast<size_t>(length) + 1);
        std::vector<wchar_t> buffer(room + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXT, static_cast<WPARAM>(room),
                                 reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, wait,
                                 &copied)) {
            return std::nullopt;
        }
        if (copied + 1 < room) return std::wstring(buffer.data(), static_cast<size_t>(copied));
        room *= 2;
    }
}

std::wstring class_name(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

LONG_PTR window_style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
LONG_PTR window_ex_style(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }
bool has_style(HWND window, LONG_PTR bits) { return (window_style(window) & bits) == bits; }
bool has_ex_style(HWND window, LONG_PTR bits) { return (window_ex_style(window) & bits) == bits; }
bool is_visible(HWND window) { return IsWindowVisible(window) != FALSE; }
bool is_enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
int control_id(HWND window) { return GetDlgCtrlID(window); }

std::optional<RECT> window_rect(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return std::nullopt;
    return rect;
}

std::optional<RECT> client_rect_on_screen(HWND window) {
    RECT rect{};
    if (!GetClientRect(window, &rect)) return std::nullopt;
    SetLastError(0);
    if (MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2) == 0 &&
        GetLastError() != 0) {
        return std::nullopt;
    }
    return rect;
}

POINT centre_of(const RECT& rect) {
    return POINT{rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
}

HWND foreground_window() { return GetForegroundWindow(); }

HWND focus_of_thread_of(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

}  // namespace e2e
