#include "palette/palette.h"

#include "palette/layout.h"
#include "symbols/builtin_sets.h"

namespace quillaro {

Palette::Palette(const Desktop& desktop) : desktop_(desktop) {
    const auto points = [](int id) { return palette_control(id).points; };
    for (size_t k = 0; k < keys.size(); ++k) {
        keys[k].font_size = points(kFirstKeyId + static_cast<int>(k));
    }
    for (size_t i = 0; i < group_buttons.size(); ++i) {
        group_buttons[i].font_size = points(kFirstGroupButtonId + static_cast<int>(i));
    }
    page_up_button = {u"上頁", false, false, false, points(kPageUpButtonId)};
    page_down_button = {u"下頁", false, false, false, points(kPageDownButtonId)};
    more_button = {u"More", true, false, false, points(kMoreButtonId)};
    about_button = {u"  關於", true, false, false, points(kAboutButtonId)};
}

void Palette::start() {
    desktop_.input.make_topmost();
    set = 1;
    show_group_captions(set);
    load_builtin_groups(table);
    // From here on a failure never stops start-up: the user groups swallow theirs, and the
    // first selection cannot fail on a table whose bounds every position respects.
    load_user_groups();
    select_group(0);
}

}  // namespace quillaro
