// Typing a key's symbol into the window the user was working in.
#include "palette/palette.h"

namespace quillaro {

void Palette::Timer1_Timer() {
    if (desktop_.foreground_window() != desktop_.own_window()) {
        target_hwnd = desktop_.foreground_window();
    }
}

void Palette::key_button_Click(int16_t index) {
    desktop_.set_foreground_window(target_hwnd);
    desktop_.do_events();
    // Keys typed before the target has taken the activation would reach no window.
    desktop_.wait_until_active(target_hwnd);
    // The position is read only now: a navigation click handled above decides the item.
    const std::u16string_view text =
        within_text_limit(table.key_send(set_no, group_no, item_under_key(index)));
    if (!text.empty()) desktop_.type_text(text);
}

void Palette::key_button_MouseMove(int16_t index) {
    Text1.text = within_text_limit(table.key_send(set_no, group_no, item_under_key(index)));
}

}  // namespace quillaro
