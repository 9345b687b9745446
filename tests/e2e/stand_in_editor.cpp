// The stand-in for the user's editor: one top-level window, "Stand-in editor", whose client
// area is a single multi-line EDIT control (control ID 100) that has the focus from the start.
// The tests read what arrived there with WM_GETTEXT.
//
//   stand_in_editor.exe [--pos=X,Y] [--size=W,H] [--ansi] [--slow-activate] [--slow-focus]
//
// Position and size are in screen pixels; by default the window stands at 640,80, 560x420.
// --ansi makes it an old ANSI program: window class, windows and message loop of the A family,
// so that typed characters reach it converted to the ANSI code page (950 for zh_TW).
// --slow-activate makes it a busy program: it sleeps 150 ms whenever it is activated.
// --slow-focus makes it busy just after it is activated: it sleeps 150 ms once the edit control
// has the focus again, so keys typed then wait in its queue, unread.

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace {

constexpr int kEditId = 100;
constexpr wchar_t kClassName[] = L"QuillaroStandInEditor";
constexpr wchar_t kTitle[] = L"Stand-in editor";
constexpr char kAnsiClassName[] = "QuillaroStandInEditorAnsi";
constexpr char kAnsiTitle[] = "Stand-in editor";
// 新細明體 (PMingLiU), the usual face for Traditional Chinese text.
constexpr wchar_t kFontFace[] = L"\u65B0\u7D30\u660E\u9AD4";

struct Options {
    int x = 640;
    int y = 80;
    int width = 560;
    int height = 420;
    bool ansi = false;
    bool slow_activate = false;
    bool slow_focus = false;
};

bool g_ansi = false;
bool g_slow_activate = false;
bool g_slow_focus = false;
constexpr DWORD kSlowActivationMs = 150;

// The edit control's font; it must outlive the control, so it lives as long as the program.
quillaro::win32::UniqueFont g_font;

// Reads "--name=A,B" into a and b; false if `arg` is not that option or is malformed.
bool read_pair(std::wstring_view arg, std::wstring_view name, int& a, int& b) {
    if (arg.substr(0, name.size()) != name) return false;
    const std::wstring value(arg.substr(name.size()));
    int first = 0;
    int second = 0;
    wchar_t tail = 0;
    if (std::swscanf(value.c_str(), L"%d,%d%lc", &first, &second, &tail) != 2) return false;
    a = first;
    b = second;
    return true;
}

Options options_from_command_line() {
    Options options;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return options;
    for (int i = 1; i < argc; ++i) {
        if (std::wstring_view(argv[i]) == L"--ansi") {
            options.ansi = true;
        } else if (std::wstring_view(argv[i]) == L"--slow-activate") {
            options.slow_activate = true;
        } else if (std::wstring_view(argv[i]) == L"--slow-focus") {
            options.slow_focus = true;
        } else if (!read_pair(argv[i], L"--pos=", options.x, options.y)) {
            read_pair(argv[i], L"--size=", options.width, options.height);
        }
    }
    LocalFree(argv);
    return options;
}

HWND create_edit(HWND parent, HINSTANCE instance) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    auto* id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId));
    if (g_ansi) {
        return CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, 0, 0, 0, 0, parent, id,
                               instance, nullptr);
    }
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, parent, id, instance,
                           nullptr);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            // CREATESTRUCTA and CREATESTRUCTW differ only in their string pointers.
            HWND edit = create_edit(window, reinterpret_cast<CREATESTRUCTW*>(lparam)->hInstance);
            if (edit == nullptr) return -1;
            SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
            HDC screen = GetDC(nullptr);
            const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            g_font.reset(CreateFontW(-MulDiv(14, pixels_per_inch, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                     kFontFace));
            if (g_font) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(g_font.get()), 0);
            return 0;
        }
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, kEditId), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
            return 0;
        case WM_ACTIVATE:
            if (g_slow_activate && LOWORD(wparam) != WA_INACTIVE) Sleep(kSlowActivationMs);
            return g_ansi ? DefWindowProcA(window, message, wparam, lparam)
                          : DefWindowProcW(window, message, wparam, lparam);
        case WM_SETFOCUS:
            SetFocus(GetDlgItem(window, kEditId));
            if (g_slow_focus) Sleep(kSlowActivationMs);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return g_ansi ? DefWindowProcA(window, message, wparam, lparam)
                          : DefWindowProcW(window, message, wparam, lparam);
    }
}

bool register_class(HINSTANCE instance) {
    if (g_ansi) {
        WNDCLASSEXA window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = window_proc;
        window_class.hInstance = instance;
        window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        window_class.lpszClassName = kAnsiClassName;
        return RegisterClassExA(&window_class) != 0;
    }
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance, const Options& options) {
    if (g_ansi) {
        return CreateWindowExA(0, kAnsiClassName, kAnsiTitle, WS_OVERLAPPEDWINDOW, options.x,
                               options.y, options.width, options.height, nullptr, nullptr, instance,
                               nullptr);
    }
    return CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, options.x, options.y,
                           options.width, options.height, nullptr, nullptr, instance, nullptr);
}

// One loop for both kinds: the A functions hand an ANSI window its characters in the ANSI code
// page, as they reach an old program.
int run_message_loop() {
    MSG message;
    for (;;) {
        const BOOL got =
            g_ansi ? GetMessageA(&message, nullptr, 0, 0) : GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&message);
        if (g_ansi) {
            DispatchMessageA(&message);
        } else {
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    SetProcessDPIAware();
    const Options options = options_from_command_line();
    g_ansi = options.ansi;
    g_slow_activate = options.slow_activate;
    g_slow_focus = options.slow_focus;

    if (!register_class(instance)) return 1;
    HWND window = create_main_window(instance, options);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    SetFocus(GetDlgItem(window, kEditId));
    return run_message_loop();
}
