// The palette's child windows showing the portable controls: only what changed since the last
// look reaches a window, so a handler that changes one key costs one window call.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>

#include "palette/layout.h"
#include "palette/palette.h"
#include "win32/key_tooltips.h"

namespace quillaro::win32 {

class ControlMirror {
  public:
    // What the control of `role` shows in `palette`: a caption or the preview's text.
    static const std::u16string& text_of(const Palette& palette, ControlRole role);
    // The child window that shows the control of `role`, made showing `text`.
    void attach(ControlRole role, HWND window, const std::u16string& text);
    // Brings the child windows and the key tooltips up to date with `palette`. True when the
    // page label's text changed, whose font then must fit it again.
    bool show(const Palette& palette);
    // The keys' tooltips are worked out again at the next show, wherever the palette stands:
    // set 3 was read again.
    void tooltips_stale() { tooltip_view_ = {}; }
    // The user edited the preview box, which shows `text` now: setting it again would move
    // the caret to the start.
    void preview_edited(std::u16string text) { shown_preview_.text = std::move(text); }

    KeyTooltips& key_tooltips() { return key_tooltips_; }
    [[nodiscard]] const std::array<HWND, kKeysPerPage>& keys() const { return keys_; }
    [[nodiscard]] const std::array<HWND, kGroupButtons>& group_buttons() const {
        return group_buttons_;
    }
    [[nodiscard]] HWND page_label() const { return page_label_; }
    [[nodiscard]] HWND preview() const { return preview_; }

  private:
    static void show_button(HWND window, const ButtonControl& wanted, ButtonControl& shown);
    void show_key_tooltips(const Palette& palette);

    std::array<HWND, kKeysPerPage> keys_{};
    std::array<HWND, kGroupButtons> group_buttons_{};
    HWND page_up_button_ = nullptr;
    HWND page_down_button_ = nullptr;
    HWND page_label_ = nullptr;
    HWND preview_ = nullptr;
    KeyTooltips key_tooltips_;

    // What the child windows show now.
    std::array<ButtonControl, kKeysPerPage> shown_keys_;
    std::array<ButtonControl, kGroupButtons> shown_group_buttons_;
    ButtonControl shown_up_;
    ButtonControl shown_down_;
    LabelControl shown_page_;
    TextControl shown_preview_;
    std::array<std::u16string, kKeysPerPage> shown_tooltips_;
    std::array<uint32_t, 4> tooltip_view_{};  // what the keys showed when the tooltips were made
};

}  // namespace quillaro::win32
