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
    for (auto& key : key_button) key.font_size = 12.0;
    for (auto& group : group_key) group.font_size = 11.25;
    cmd_up = {u"上頁", false, false, false, 11.25};
    cmd_down = {u"下頁", false, false, false, 11.25};
    cmd_more = {u"More", true, false, false, 12.0};
    cmd_about = {u"  關於", true, false, false, 0.0};  // 0: the window's default font
}

void Palette::Form_Load() {
    desktop_.make_topmost();
    set_count = 3;
    set_no = 1;
    show_group_names(set_no);
    load_builtin_groups(table);
    // From here on a failure never stops start-up: the user groups swallow theirs, and the
    // first selection cannot fail on a table whose bounds every position respects.
    load_user_groups();
    group_key_Click(0);
}

}  // namespace quillaro
