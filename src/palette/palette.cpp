#include "palette/palette.h"

#include "symbols/builtin_sets.h"

namespace quillaro {

std::u16string_view within_text_limit(std::u16string_view text) {
    if (text.size() <= kMaxTextUnits) return text;
    size_t cut = kMaxTextUnits;
    const char16_t last = text[cut - 1];
    const char16_t next = text[cut];
    if (last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) --cut;
    return text.substr(0, cut);
}

Palette::Palette(Desktop& desktop) : desktop_(desktop) {
    for (auto& key : keys) key.font_size = 12.0;
    for (auto& button : group_buttons) button.font_size = 11.25;
    page_up_button = {u"上頁", false, false, false, 11.25};
    page_down_button = {u"下頁", false, false, false, 11.25};
    more_button = {u"More", true, false, false, 12.0};
    about_button = {u"  關於", true, false, false, 0.0};  // 0: the window's default font
}

void Palette::start() {
    desktop_.make_topmost();
    set = 1;
    show_group_captions(set);
    load_builtin_groups(table);
    // From here on a failure never stops start-up: the user groups swallow theirs, and the
    // first selection cannot fail on a table whose bounds every position respects.
    load_user_groups();
    select_group(0);
}

}  // namespace quillaro
