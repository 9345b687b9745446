#include "win32/about_window.h"

#include <utility>

#include "about/about_text.h"
#include "palette/layout.h"
#include "win32/dpi.h"
#include "win32/owned_window.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuillaroAbout";
constexpr wchar_t kTitle[] = L"關於Quillaro符號輸入小工具 及 簡略說明";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 5760;  // twips
constexpr int kClientHeight = 4110;
constexpr Twips kAboutWinRect{240, 120, 5175, 3375};
constexpr Twips kCommand1Rect{2040, 3600, 1455, 375};
constexpr int kHomeLeft = 165;  // client-area origin on the screen, twips
constexpr int kHomeTop = 555;

RECT about_frame(int dpi) {
    return window_rect_for_client(twips_to_pixels(kClientWidth, dpi),
                                  twips_to_pixels(kClientHeight, dpi), kStyle, 0, dpi);
}

void place(HWND control, const Twips& r, int dpi) {
    const int left = twips_to_pixels(r.left, dpi);
    const int top = twips_to_pixels(r.top, dpi);
    SetWindowPos(control, nullptr, left, top, twips_to_pixels(r.left + r.width, dpi) - left,
                 twips_to_pixels(r.top + r.height, dpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> on_destroyed)
    : instance_(instance), fonts_(fonts), on_destroyed_(std::move(on_destroyed)) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = owned_window_proc<AboutWindow>;
    window_class.hInstance = instance_;
    window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);
}

void AboutWindow::open() {
    if (window_ != nullptr) {
        ShowWindow(window_, SW_SHOWNORMAL);
        SetForegroundWindow(window_);
        return;
    }
    // Unowned, so that it lives on when the palette closes.
    window_ = CreateWindowExW(0, kClassName, kTitle, kStyle, 0, 0, 0, 0, nullptr, nullptr,
                              instance_, this);
    if (window_ == nullptr) return;
    dpi_ = window_dpi(window_);
    about_text_box_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
            ES_READONLY,
        0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAboutTextBoxId)),
        instance_, nullptr);
    ok_button_ = CreateWindowExW(
        0, L"BUTTON", L"ok啦", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkButtonId)), instance_, nullptr);

    const RECT frame = about_frame(dpi_);
    SetWindowPos(window_, nullptr, twips_to_pixels(kHomeLeft, dpi_) + frame.left,
                 twips_to_pixels(kHomeTop, dpi_) + frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    place_controls();

    const std::u16string text = about_text();
    SetWindowTextW(about_text_box_, wide(text));
    ShowWindow(window_, SW_SHOWNORMAL);
    SetFocus(about_text_box_);
    SendMessageW(about_text_box_, EM_SETSEL, 0, 0);  // show the text from its start, unselected
}

void AboutWindow::place_controls() {
    place(about_text_box_, kAboutWinRect, dpi_);
    place(ok_button_, kCommand1Rect, dpi_);
    SendMessageW(
        about_text_box_, WM_SETFONT,
        reinterpret_cast<WPARAM>(fonts_.get({FontFace::WindowDefault, 0.0, false, false, dpi_})),
        TRUE);
    SendMessageW(
        ok_button_, WM_SETFONT,
        reinterpret_cast<WPARAM>(fonts_.get({FontFace::Mingliu, 14.25, false, false, dpi_})), TRUE);
}

LRESULT AboutWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == kOkButtonId || LOWORD(wparam) == IDCANCEL) {
                DestroyWindow(window_);
            }
            return 0;
        case WM_ACTIVATE:
            // Keep the control that had the keyboard focus and give it back on return, as a
            // dialog does; the window itself takes no keys.
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus) != FALSE) focus_ = focus;
            } else if (HIWORD(wparam) == 0 && IsWindowVisible(window_) != FALSE) {  // not minimized
                SetFocus(focus_ != nullptr && IsChild(window_, focus_) != FALSE ? focus_
                                                                                : about_text_box_);
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // Tab and Shift+Tab: the multi-line text box and the dialog keys of the message
            // loop ask for the next control in focus order, as in a dialog box.
            HWND next = LOWORD(lparam) != 0
                            ? reinterpret_cast<HWND>(wparam)
                            : GetNextDlgTabItem(window_, GetFocus(), wparam != 0 ? TRUE : FALSE);
            if (next != nullptr && IsChild(window_, next) != FALSE) SetFocus(next);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            // Read-only, so that the text stays as shipped, but white like a page.
            if (reinterpret_cast<HWND>(lparam) == about_text_box_) {
                SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_GETDPISCALEDSIZE:
            return answer_scaled_size(lparam, about_frame(static_cast<int>(wparam)));
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wparam);
            take_suggested_rect(window_, lparam);
            place_controls();
            return 0;
        }
        case WM_DESTROY:
            window_ = nullptr;
            about_text_box_ = nullptr;
            ok_button_ = nullptr;
            focus_ = nullptr;
            on_destroyed_();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace quillaro::win32
