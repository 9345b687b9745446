#include "win32/key_painter.h"

#include <algorithm>

#include "palette/key_tooltip.h"
#include "win32/utf16.h"

namespace quillaro::win32 {

void KeyPainter::draw(HWND owner, const DRAWITEMSTRUCT& item, const ButtonControl& state,
                      FontFace face, bool is_key, int dpi) {
    RECT rect = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool hot = item.hwndItem == hot_button_ || (item.itemState & ODS_HOTLIGHT) != 0;
    ButtonLook look = ButtonLook::Normal;
    if (disabled) {
        look = ButtonLook::Disabled;
    } else if (pushed) {
        look = ButtonLook::Pressed;
    } else if (hot) {
        look = ButtonLook::Hot;
    }

    // With visual styles the keys look like the standard buttons beside them; a style's
    // rounded corners show the window's background, as a standard button's do. A
    // high-contrast scheme draws with the system colors alone, as Windows' own buttons do
    // then, and marks the key under the mouse or pressed in the highlight color.
    const bool high_contrast = high_contrast_on();
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (high_contrast || !theme_.draw_background(owner, item.hDC, rect, look)) {
        UINT frame = DFCS_BUTTONPUSH;
        if (pushed) frame |= DFCS_PUSHED;
        if (disabled) frame |= DFCS_INACTIVE;
        if (look == ButtonLook::Hot) frame |= DFCS_HOT;
        DrawFrameControl(item.hDC, &rect, DFC_BUTTON, frame);
        if (pushed) OffsetRect(&rect, 1, 1);
    }
    const bool marked = high_contrast && (pushed || look == ButtonLook::Hot);
    if (marked) {
        RECT inside = item.rcItem;
        InflateRect(&inside, -2, -2);
        FillRect(item.hDC, &inside, GetSysColorBrush(COLOR_HIGHLIGHT));
    }

    const HFONT font = fonts_.get({face, state.font_size, state.bold, state.italic, dpi});
    SetBkMode(item.hDC, TRANSPARENT);
    int text_color = COLOR_BTNTEXT;
    if (disabled) text_color = COLOR_GRAYTEXT;
    if (marked) text_color = COLOR_HIGHLIGHTTEXT;
    SetTextColor(item.hDC, GetSysColor(text_color));
    if (!is_key || !draw_code_point_caption(item.hDC, rect, font, state, dpi)) {
        HGDIOBJ old_font = SelectObject(item.hDC, font);
        DrawTextW(item.hDC, as_wchars(state.caption), static_cast<int>(state.caption.size()), &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(item.hDC, old_font);
    }

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

// A key whose symbol no installed font draws shows its code point instead, in a small face
// that fits the key; its window text stays the caption. False when the caption draws.
bool KeyPainter::draw_code_point_caption(HDC dc, const RECT& rect, HFONT font,
                                         const ButtonControl& key, int dpi) {
    if (glyph_coverage_.draws(font, key.caption)) return false;
    // The digits take the size that fits; the "…" of a caption of several characters goes on
    // a line of its own below them, so that it never makes the digits smaller.
    const CodePointCaption shown = code_point_caption(key.caption);
    const std::u16string lines = shown.text(true);
    const std::u16string& digits = shown.digits;
    RECT inside = rect;
    const int margin = MulDiv(2, dpi, 96);  // clear of the key's frame
    InflateRect(&inside, -margin, -margin);
    const FitRequest fit{FontFace::UiSans, 7.5, 4.5, dpi, inside.right - inside.left, true};
    HGDIOBJ old_font = SelectObject(dc, fitting_fonts_.get(dc, fit, digits));
    RECT measured = inside;
    constexpr UINT kFormat = DT_CENTER | DT_NOPREFIX;
    DrawTextW(dc, as_wchars(lines), static_cast<int>(lines.size()), &measured,
              kFormat | DT_CALCRECT);
    const int height = static_cast<int>(measured.bottom - measured.top);
    inside.top += std::max(0, static_cast<int>(inside.bottom - inside.top - height) / 2);
    DrawTextW(dc, as_wchars(lines), static_cast<int>(lines.size()), &inside, kFormat);
    SelectObject(dc, old_font);
    return true;
}

bool KeyPainter::high_contrast_on() {
    HIGHCONTRASTW scheme{};
    scheme.cbSize = sizeof(scheme);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(scheme), &scheme, 0) != FALSE &&
           (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool KeyPainter::track_hot(HWND button, bool hot) {
    if (hot == (hot_button_ == button)) return false;
    HWND previous = hot_button_;
    hot_button_ = hot ? button : nullptr;
    if (previous != nullptr) InvalidateRect(previous, nullptr, FALSE);
    if (hot_button_ != nullptr) InvalidateRect(hot_button_, nullptr, FALSE);
    return hot;
}

void KeyPainter::forget(HWND button) {
    if (hot_button_ == button) hot_button_ = nullptr;
}

}  // namespace quillaro::win32
