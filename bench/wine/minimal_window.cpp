// The baseline of the Wine benchmarks: the least a Win32 program does to show a window. One
// top-level window titled "Minimal window", nothing in it, the default message loop; built
// and linked like the palette (Unicode, static runtime), so that what the palette costs beyond
// it is the palette's own.
//
// With --timer it also runs the palette's timer: as often as the system allows, each tick
// asking which window is in front. The idle benchmark uses it to tell the cost of that timer
// on the platform from the cost of the rest of the palette.
//
// With --type-on-click=<text> a click in the window types <text> into the window in front with
// SendInput, as a palette key does, and leaves that window in front: the least a click that
// types costs, the mouse's delivery included.

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"QuillaroMinimalWindow";
constexpr UINT_PTR kTimerId = 1;

// Read by the tick, so that the query cannot be left out.
HWND volatile g_foreground = nullptr;
std::wstring g_typed_on_click;

void type(const std::wstring& text) {
    std::vector<INPUT> events;
    for (const wchar_t unit : text) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT event{};
            event.type = INPUT_KEYBOARD;
            event.ki.wScan = unit;
            event.ki.dwFlags = KEYEVENTF_UNICODE | up;
            events.push_back(event);
        }
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kTimerId) {
        g_foreground = GetForegroundWindow();
        return 0;
    }
    if (!g_typed_on_click.empty()) {
        if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
        if (message == WM_LBUTTONUP) {
            type(g_typed_on_click);
            return 0;
        }
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR command_line,
                    int show_command) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    if (RegisterClassExW(&window_class) == 0) return 1;
    HWND window =
        CreateWindowExW(0, kClassName, L"Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 376, 144, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    if (command_line != nullptr && wcsstr(command_line, L"--timer") != nullptr) {
        SetTimer(window, kTimerId, USER_TIMER_MINIMUM, nullptr);
    }
    constexpr wchar_t kTypeOption[] = L"--type-on-click=";
    if (const wchar_t* text = command_line ? wcsstr(command_line, kTypeOption) : nullptr) {
        g_typed_on_click = text + std::size(kTypeOption) - 1;
    }
    ShowWindow(window, show_command);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
