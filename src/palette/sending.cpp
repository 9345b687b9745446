// Typing a key's symbol into the window the user was working in.
#include "palette/palette.h"

namespace quillaro {

// Remembers the last window other than the palette that was in front. One query per tick: a
// second one could already see the palette, just clicked, and make it its own target. No window
// at all is in front for a moment while the activation passes from one window to another (the
// user clicking the palette); such a tick keeps the target, or the next key would type nowhere.
void Palette::Timer1_Timer() {
    const WindowHandle foreground = desktop_.foreground_window();
    if (foreground != 0 && foreground != desktop_.own_window()) target_hwnd = foreground;
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
