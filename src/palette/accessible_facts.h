// What a screen reader is told about the palette's controls: a key says what it types, the
// group and paging buttons and the page label say what they show and whether they can be used.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillaro {

enum class AccessibleRole : uint8_t { PushButton, StaticText };

struct AccessibleFacts {
    std::u16string name;
    AccessibleRole role = AccessibleRole::PushButton;
    bool enabled = true;
    bool selected = false;          // the group whose keys show
    std::u16string default_action;  // empty: nothing to do
};

inline constexpr std::u16string_view kEmptyKeyName = u"空";
inline constexpr std::u16string_view kTypeAction = u"輸入";
inline constexpr std::u16string_view kPressAction = u"按下";

// A key's name: its caption where a screen reader can read it (no private-use or lone
// surrogate code point, something visible), then the code points it types and their names,
// e.g. "※ U+203B REFERENCE MARK"; kEmptyKeyName for a key that shows and types nothing.
std::u16string key_accessible_name(std::u16string_view caption, std::u16string_view text);

}  // namespace quillaro
