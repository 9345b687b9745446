#include "win32/control_mirror.h"

#include <utility>

#include "win32/accessible_controls.h"
#include "win32/utf16.h"

namespace quillaro::win32 {

const std::u16string& ControlMirror::text_of(const Palette& palette, ControlRole role) {
    static const std::u16string nothing;
    const auto index = static_cast<size_t>(role.index);
    switch (role.role) {
        case Role::Key:
            return palette.keys.at(index).caption;
        case Role::Group:
            return palette.group_buttons.at(index).caption;
        case Role::PageUp:
            return palette.page_up_button.caption;
        case Role::PageDown:
            return palette.page_down_button.caption;
        case Role::PageLabel:
            return palette.page_label.caption;
        case Role::Preview:
            return palette.preview.text;
        case Role::More:
            return palette.more_button.caption;
        case Role::About:
            return palette.about_button.caption;
        case Role::None:
            break;
    }
    return nothing;
}

void ControlMirror::attach(ControlRole role, HWND window, const std::u16string& text) {
    const auto index = static_cast<size_t>(role.index);
    switch (role.role) {
        case Role::Key:
            keys_.at(index) = window;
            shown_keys_.at(index).caption = text;
            break;
        case Role::Group:
            group_buttons_.at(index) = window;
            shown_group_buttons_.at(index).caption = text;
            break;
        case Role::PageUp:
            page_up_button_ = window;
            shown_up_.caption = text;
            break;
        case Role::PageDown:
            page_down_button_ = window;
            shown_down_.caption = text;
            break;
        case Role::PageLabel:
            page_label_ = window;
            shown_page_.caption = text;
            break;
        case Role::Preview:
            preview_ = window;
            shown_preview_.text = text;
            break;
        case Role::More:
        case Role::About:
        case Role::None:
            break;  // their captions never change
    }
}

void ControlMirror::show_button(HWND window, const ButtonControl& wanted, ButtonControl& shown) {
    if (wanted == shown) return;
    if (wanted.caption != shown.caption) SetWindowTextW(window, as_wchars(wanted.caption));
    if (wanted.enabled != shown.enabled) EnableWindow(window, wanted.enabled ? TRUE : FALSE);
    if (wanted.bold != shown.bold || wanted.italic != shown.italic ||
        wanted.font_size != shown.font_size) {
        InvalidateRect(window, nullptr, FALSE);
    }
    // A group button tells its selection by its bold caption.
    if (wanted.bold != shown.bold) tell_state_changed(window);
    shown = wanted;
}

bool ControlMirror::show(const Palette& palette) {
    for (size_t i = 0; i < keys_.size(); ++i)
        show_button(keys_[i], palette.keys[i], shown_keys_[i]);
    for (size_t i = 0; i < group_buttons_.size(); ++i) {
        show_button(group_buttons_[i], palette.group_buttons[i], shown_group_buttons_[i]);
    }
    show_button(page_up_button_, palette.page_up_button, shown_up_);
    show_button(page_down_button_, palette.page_down_button, shown_down_);
    bool label_changed = false;
    if (palette.page_label != shown_page_) {
        SetWindowTextW(page_label_, as_wchars(palette.page_label.caption));
        shown_page_ = palette.page_label;
        label_changed = true;
    }
    show_key_tooltips(palette);
    if (palette.preview != shown_preview_) {
        SetWindowTextW(preview_, as_wchars(palette.preview.text));
        shown_preview_ = palette.preview;
    }
    return label_changed;
}

// Tooltip texts change with what the keys show or a reload of set 3, not with every hover.
void ControlMirror::show_key_tooltips(const Palette& palette) {
    if (!key_tooltips_.created()) return;  // made once the first page is on screen
    const std::array<uint32_t, 4> view = palette.key_view();
    if (view == tooltip_view_) return;
    tooltip_view_ = view;
    key_tooltips_.hide();
    for (size_t i = 0; i < keys_.size(); ++i) {
        std::u16string text = palette.key_tooltip(static_cast<int16_t>(i));
        if (text == shown_tooltips_[i]) continue;
        key_tooltips_.set_text(keys_[i], text);
        // The key's accessible name is made from what the tooltip tells.
        tell_name_changed(keys_[i]);
        shown_tooltips_[i] = std::move(text);
    }
}

}  // namespace quillaro::win32
