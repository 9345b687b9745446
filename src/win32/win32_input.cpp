#include "win32/win32_input.h"

#include "win32/clipboard.h"
#include "win32/integrity.h"
#include "win32/keyboard.h"

namespace quillaro::win32 {
namespace {

HWND as_hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle as_handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// How long a key waits for the window it types into to answer after being brought forward; a
// hung window gets its keys after this, as it would without the wait.
constexpr UINT kActivationAnswerMs = 250;

}  // namespace

WindowHandle Win32Input::foreground_window() { return as_handle(GetForegroundWindow()); }

WindowHandle Win32Input::own_window() { return as_handle(palette_window_); }

void Win32Input::make_topmost() {
    // Only the stacking: the window is not shown yet, and showing it activates it anyway, so
    // activating it here as well only made Wine change the focus one time more.
    SetWindowPos(palette_window_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Input::set_foreground_window(WindowHandle window) {
    HWND target = as_hwnd(window);
    if (target == nullptr || GetForegroundWindow() == target) return;
    SetForegroundWindow(target);
    // The target may still have its earlier deactivation to handle, and until it has, its
    // focus looks unchanged: keys typed then would find no focus. It handles what it is sent
    // in order, so once it answers this message it has handled both.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kActivationAnswerMs, &ignored);
}

void Win32Input::dispatch_pending_messages() { loop_.dispatch_pending(); }

bool Win32Input::is_active(WindowHandle window) {
    HWND target = as_hwnd(window);
    if (target == nullptr || GetForegroundWindow() != target) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &info) != FALSE &&
           info.hwndFocus != nullptr;
}

bool Win32Input::wait_until_active(WindowHandle window) {
    HWND target = as_hwnd(window);
    if (target == nullptr || IsWindow(target) == FALSE) return true;
    // The activation is asynchronous: poll for it, still dispatching our own messages, for
    // at most about half a second. It takes a few milliseconds under Wine; polling every
    // millisecond rather than five keeps a click's symbol from waiting for nothing.
    const ULONGLONG deadline = GetTickCount64() + 500;
    for (;;) {
        if (IsWindow(target) == FALSE || is_active(window)) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        loop_.dispatch_pending();
    }
}

bool Win32Input::accepts_typing(WindowHandle window) {
    HWND target = as_hwnd(window);
    DWORD process = 0;
    GetWindowThreadProcessId(target, &process);
    if (target != last_check_.window || process != last_check_.process) {
        last_check_ = {target, process, !runs_above_us(target)};
    }
    return last_check_.accepts;
}

bool Win32Input::type_text(std::u16string_view text) { return win32::type_text(text); }

bool Win32Input::copy_text(std::u16string_view text) {
    return copy_to_clipboard(palette_window_, text);
}

}  // namespace quillaro::win32
