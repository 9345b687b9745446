// The floor of the Wine benchmarks: the minimal window with the palette's 70 child controls.
// The controls come from the palette's layout table, with the classes and styles the palette
// makes them with, each caption set before the window shows, all in one font; the owner-drawn
// keys and group buttons are drawn the plainest way (a push-button frame and the caption).
// Built and linked like the palette (Unicode, static runtime, the palette's manifest: common
// controls 6, per-monitor DPI awareness), so that what the palette costs beyond this window
// is its own work: its key table and state, its themed drawing, hover tracking, topmost
// window and fonts.
//
// With --timer it also runs the palette's timer, as minimal_window.exe --timer does. With
// --startup-marks=<file> it marks the end of the start-up phases it shares with the palette.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "palette/layout.h"
#include "symbols/builtin_sets.h"
#include "symbols/comma_list.h"
#include "win32/child_control.h"
#include "win32/control_styles.h"
#include "win32/dpi.h"
#include "win32/font_cache.h"
#include "win32/startup_marks.h"

namespace {

using namespace quillaro;
using namespace quillaro::win32;

constexpr wchar_t kClassName[] = L"QuillaroControlsWindow";
constexpr wchar_t kTitle[] = L"Controls window";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kTimerId = 1;

HWND volatile g_foreground = nullptr;

std::wstring wide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

// What the palette shows at start-up: set 1's first group on its keys, set 1's group names,
// its page buttons and label, an empty preview.
std::wstring caption_of(ControlKind kind, int id) {
    static const std::vector<std::u16string_view> groups = split_at_commas(kSet1GroupNames);
    static const std::vector<std::u16string_view> symbols =
        split_at_commas(builtin_groups().front().items);
    if (id >= kFirstKeyId && id < kFirstKeyId + 46) {
        const auto index = static_cast<size_t>(id - kFirstKeyId);
        return index < symbols.size() ? wide(symbols[index]) : std::wstring();
    }
    if (id >= kFirstGroupButtonId && id < kFirstGroupButtonId + 16) {
        return wide(groups.at(static_cast<size_t>(id - kFirstGroupButtonId)));
    }
    switch (id) {
        case kPageUpButtonId:
            return L"上頁";
        case kPageDownButtonId:
            return L"下頁";
        case kPageLabelId:
            return L"1/1頁";
        case kMoreButtonId:
            return L"More";
        case kAboutButtonId:
            return L"  關於";
        default:
            return kind == ControlKind::TextBox ? L"" : L"?";
    }
}

void draw_button(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    UINT state = DFCS_BUTTONPUSH;
    if ((item.itemState & ODS_SELECTED) != 0) state |= DFCS_PUSHED;
    DrawFrameControl(item.hDC, &rect, DFC_BUTTON, state);
    wchar_t caption[64];
    const int length = GetWindowTextW(item.hwndItem, caption, 64);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, caption, length, &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_TIMER:
            if (wparam == kTimerId) g_foreground = GetForegroundWindow();
            return 0;
        case WM_DRAWITEM:
            draw_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void create_controls(HWND window, HFONT font, int dpi) {
    for (const ControlPlacement& placement : palette_layout()) {
        HWND control =
            create_child(window, control_class(placement.kind), control_style(placement.kind),
                         control_ex_style(placement.kind), placement, dpi,
                         caption_of(placement.kind, placement.id).c_str());
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR command_line,
                    int show_command) {
    StartupMarks marks(command_line);
    marks.mark("entered");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    if (RegisterClassExW(&window_class) == 0) return 1;
    HWND window = CreateWindowExW(0, kClassName, kTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    const int dpi = window_dpi(window);
    const RECT frame =
        window_rect_for_client(twips_to_pixels(kPaletteClientWidth, dpi),
                               twips_to_pixels(kPaletteClientHeight, dpi), kStyle, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    marks.mark("window");
    FontCache fonts;
    create_controls(window, fonts.get({FontFace::Mingliu, 12.0, false, false, dpi}), dpi);
    marks.mark("controls");
    if (command_line != nullptr && wcsstr(command_line, L"--timer") != nullptr) {
        SetTimer(window, kTimerId, USER_TIMER_MINIMUM, nullptr);
    }
    ShowWindow(window, show_command);
    UpdateWindow(window);
    marks.mark("shown_and_painted");
    marks.write();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
