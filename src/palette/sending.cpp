// Typing a key's symbol into the window the user was working in.
#include "palette/palette.h"

namespace quillaro {

// Remembers the last window other than the palette that was in front. One query per tick: a
// second one could already see the palette, just clicked, and make it its own target. No window
// at all is in front for a moment while the activation passes from one window to another (the
// user clicking the palette); such a tick keeps the target, or the next key would type nowhere.
void Palette::track_foreground() {
    const WindowHandle foreground = desktop_.foreground_window();
    if (foreground != 0 && foreground != desktop_.own_window()) target = foreground;
}

void Palette::send_key(int16_t index) {
    desktop_.set_foreground_window(target);
    desktop_.do_events();
    // Keys typed before the target has taken the activation would reach no window.
    desktop_.wait_until_active(target);
    // The position is read only now: a navigation click handled above decides the item.
    const std::u16string_view text =
        within_text_limit(table.key_text(set, group, item_under_key(index)));
    if (!text.empty()) desktop_.type_text(text);
}

void Palette::preview_key(int16_t index) {
    preview.text = within_text_limit(table.key_text(set, group, item_under_key(index)));
}

}  // namespace quillaro
