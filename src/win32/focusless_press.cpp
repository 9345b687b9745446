#include "win32/focusless_press.h"

#include <commctrl.h>
#include <windowsx.h>

namespace quillaro::win32 {
namespace {

// The subclass's id tells when the button comes up.
constexpr UINT_PTR kUpBeforeClick = 1;
constexpr UINT_PTR kUpAfterClick = 2;

bool another_window_in_front(HWND button) {
    return GetForegroundWindow() != GetAncestor(button, GA_ROOT);
}

bool over(HWND button, LPARAM at) {
    RECT client{};
    GetClientRect(button, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}) != FALSE;
}

void show_pushed(HWND button, bool pushed) {
    SendMessageW(button, BM_SETSTATE, pushed ? TRUE : FALSE, 0);
}

}  // namespace

bool FocuslessPress::attach(HWND button, ComeUp come_up) {
    const UINT_PTR id = come_up == ComeUp::AfterClick ? kUpAfterClick : kUpBeforeClick;
    return SetWindowSubclass(button, button_proc, id, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

bool FocuslessPress::press(HWND button) {
    if (!another_window_in_front(button) || IsWindowEnabled(button) == FALSE) return false;
    pressed_ = button;
    SetCapture(button);
    show_pushed(button, true);
    return true;
}

void FocuslessPress::release(HWND button, LPARAM at, ComeUp come_up) {
    pressed_ = nullptr;
    if (come_up == ComeUp::BeforeClick) show_pushed(button, false);
    if (over(button, at)) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    if (come_up == ComeUp::AfterClick) show_pushed(button, false);
    // Only now: whoever watches the capture knows, once it is gone, that the click is handled.
    if (GetCapture() == button) ReleaseCapture();
}

void FocuslessPress::let_go(HWND button) {
    pressed_ = nullptr;
    show_pushed(button, false);
}

LRESULT CALLBACK FocuslessPress::button_proc(HWND button, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR id, DWORD_PTR self) {
    auto* presses = reinterpret_cast<FocuslessPress*>(self);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // every click is a click of its own
            if (presses->press(button)) return 0;
            break;
        case WM_MOUSEMOVE:
            // Dragged off, the button comes up; dragged back, it goes down again.
            if (presses->pressed_ == button) show_pushed(button, over(button, lparam));
            break;
        case WM_LBUTTONUP:
            if (presses->pressed_ == button) {
                presses->release(button, lparam,
                                 id == kUpAfterClick ? ComeUp::AfterClick : ComeUp::BeforeClick);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (presses->pressed_ == button) presses->let_go(button);
            break;
        case WM_NCDESTROY:
            if (presses->pressed_ == button) presses->pressed_ = nullptr;
            RemoveWindowSubclass(button, button_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(button, message, wparam, lparam);
}

}  // namespace quillaro::win32
