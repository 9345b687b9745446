#include "win32/control_styles.h"

namespace quillaro::win32 {

const wchar_t* control_class(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return L"STATIC";
        case ControlKind::TextBox:
            return L"EDIT";
        default:
            return L"BUTTON";
    }
}

DWORD control_style(ControlKind kind) {
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
        // Drawn by their owner so that a caption shows literally: "&" is never a mnemonic.
        case ControlKind::KeyButton:
        case ControlKind::GroupButton:
            return common | WS_TABSTOP | BS_OWNERDRAW;
        case ControlKind::Button:
            return common | WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::Label:
            return common | SS_LEFT | SS_NOPREFIX;
        case ControlKind::TextBox:
            return common | WS_TABSTOP | ES_AUTOHSCROLL;  // the search box too
    }
    return common;
}

DWORD control_ex_style(ControlKind kind) {
    return kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
}

}  // namespace quillaro::win32
