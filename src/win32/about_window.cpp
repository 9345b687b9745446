#include "win32/about_window.h"

#include <utility>

#include "about/about_text.h"
#include "win32/child_control.h"
#include "win32/utf16.h"

namespace quillaro::win32 {
namespace {

constexpr int kHomeLeft = 165;  // client-area origin on the screen, twips
constexpr int kHomeTop = 555;

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> on_destroyed)
    : WindowBase(instance), fonts_(fonts), on_destroyed_(std::move(on_destroyed)) {}

bool AboutWindow::open() {
    if (hwnd() != nullptr) {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(hwnd());
        return true;
    }
    // Unowned, so that it lives on when the palette closes.
    const std::u16string title(kAboutTitle);
    if (!register_class() || !create_window(as_wchars(title))) return false;
    text_box_ = create_child(hwnd(), L"EDIT",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                                 ES_AUTOVSCROLL | ES_READONLY,
                             WS_EX_CLIENTEDGE, kAboutTextBox, dpi());
    ok_button_ =
        create_child(hwnd(), L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                     kOkButton, dpi(), L"ok啦");
    if (text_box_ == nullptr || ok_button_ == nullptr) {
        DestroyWindow(hwnd());
        return false;
    }
    // Read-only, so that the text stays as shipped, but white like a page.
    show_as_page(text_box_);
    move_client_to(twips_to_pixels(kHomeLeft, dpi()), twips_to_pixels(kHomeTop, dpi()));
    place_controls();

    const std::u16string text = about_text();
    SetWindowTextW(text_box_, as_wchars(text));
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetFocus(text_box_);
    SendMessageW(text_box_, EM_SETSEL, 0, 0);  // show the text from its start, unselected
    return true;
}

void AboutWindow::place_controls() {
    for (const ControlPlacement* placement : {&kAboutTextBox, &kOkButton}) {
        HWND control = GetDlgItem(hwnd(), placement->id);
        move_child(control, *placement, dpi());
        const FontRequest font{placement->face, placement->points, false, false, dpi()};
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(font)), TRUE);
    }
}

LRESULT AboutWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            // ok啦, Escape (IDCANCEL) and Enter (IDOK, or the default button's ID) close it.
            if (LOWORD(wparam) == kOkButtonId || LOWORD(wparam) == IDOK ||
                LOWORD(wparam) == IDCANCEL) {
                DestroyWindow(hwnd());
            }
            return 0;
        case DM_GETDEFID:
            // Asked by the dialog keys of the message loop and by the text box on Enter.
            return MAKELRESULT(kOkButtonId, DC_HASDEFID);
        case WM_ACTIVATE:
            // Keep the control that had the keyboard focus and give it back on return, as a
            // dialog does; the window itself takes no keys.
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd(), focus) != FALSE) focus_ = focus;
            } else if (HIWORD(wparam) == 0 && IsWindowVisible(hwnd()) != FALSE) {  // not minimized
                SetFocus(focus_ != nullptr && IsChild(hwnd(), focus_) != FALSE ? focus_
                                                                               : text_box_);
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // Tab and Shift+Tab: the multi-line text box and the dialog keys of the message
            // loop ask for the next control in focus order, as in a dialog box.
            HWND next = LOWORD(lparam) != 0
                            ? reinterpret_cast<HWND>(wparam)
                            : GetNextDlgTabItem(hwnd(), GetFocus(), wparam != 0 ? TRUE : FALSE);
            if (next != nullptr && IsChild(hwnd(), next) != FALSE) SetFocus(next);
            return 0;
        }
        case WM_DESTROY:
            text_box_ = nullptr;
            ok_button_ = nullptr;
            focus_ = nullptr;
            on_destroyed_();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wparam, lparam);
}

}  // namespace quillaro::win32
