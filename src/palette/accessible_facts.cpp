#include "palette/accessible_facts.h"

#include "palette/key_tooltip.h"
#include "palette/palette.h"
#include "symbols/unicode_names.h"

namespace quillaro {
namespace {

bool is_private_use(char32_t c) {
    return (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF0000 && c <= 0x10FFFF);
}
bool is_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A screen reader says private-use characters as nothing at all, and a caption of spaces as
// a pause: such a caption is told by its code points alone.
bool readable(std::u16string_view caption) {
    bool visible = false;
    for (CodePoints points(caption); !points.done();) {
        const char32_t c = points.next();
        if (is_private_use(c) || is_surrogate(c)) return false;
        visible = visible || !draws_blank(c);
    }
    return visible;
}

// "REFERENCE MARK, SPACE" for the first few code points of `text` that have a spelled name.
std::u16string code_point_names(std::u16string_view text) {
    std::u16string names;
    CodePoints points(text);
    for (size_t n = 0; n < kTooltipCodePoints && !points.done(); ++n) {
        const char32_t c = points.next();
        if (!has_spelled_name(c)) continue;
        const UnicodeName named = unicode_name(c);  // text() points into it
        const std::string_view name = named.text();
        if (name.empty()) continue;
        if (!names.empty()) names += u", ";
        names.append(name.begin(), name.end());  // the names are ASCII
    }
    return names;
}

void append_word(std::u16string& to, std::u16string_view word) {
    if (word.empty()) return;
    if (!to.empty()) to += u' ';
    to += word;
}

}  // namespace

std::u16string key_accessible_name(std::u16string_view caption, std::u16string_view text) {
    if (caption.empty() && text.empty()) return std::u16string(kEmptyKeyName);
    std::u16string name;
    if (readable(caption)) name = caption_start(caption);
    const std::u16string_view typed = text.empty() ? caption : text;
    append_word(name, code_point_list(typed));
    append_word(name, code_point_names(typed));
    return name;
}

AccessibleFacts Palette::accessible_facts(ControlRole control) const {
    const auto button = [](const ButtonControl& shown, std::u16string_view action) {
        return AccessibleFacts{
            shown.caption.empty() ? std::u16string(kEmptyKeyName) : shown.caption,
            AccessibleRole::PushButton, shown.enabled, false, std::u16string(action)};
    };
    const auto index = static_cast<size_t>(control.index);
    switch (control.role) {
        case Role::Key: {
            const SearchResults::Item item = shown_under_key(control.index);
            const bool empty = item.caption.empty() && item.text.empty();
            return {key_accessible_name(item.caption, item.text), AccessibleRole::PushButton,
                    keys.at(index).enabled, false,
                    empty ? std::u16string() : std::u16string(kTypeAction)};
        }
        case Role::Group: {
            AccessibleFacts facts = button(group_buttons.at(index), kPressAction);
            // The selected group is the one marked in bold; none while searching.
            facts.selected = group_buttons.at(index).bold;
            return facts;
        }
        case Role::PageUp:
            return button(page_up_button, kPressAction);
        case Role::PageDown:
            return button(page_down_button, kPressAction);
        case Role::More:
            return button(more_button, kPressAction);
        case Role::About:
            return button(about_button, kPressAction);
        case Role::PageLabel:
            return {page_label.caption, AccessibleRole::StaticText, true, false, {}};
        case Role::Preview:
        case Role::None:
            break;
    }
    return {};
}

}  // namespace quillaro
