// The global hotkey that shows the palette, as the user names it in the registry value `Hotkey`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillaro {

// Win32's values, so the window layer passes them to RegisterHotKey as they are.
inline constexpr uint32_t kModAlt = 0x1, kModCtrl = 0x2, kModShift = 0x4, kModWin = 0x8;

struct Hotkey {
    uint32_t modifiers = 0;
    uint32_t virtual_key = 0;
    bool operator==(const Hotkey&) const = default;
};

struct HotkeySetting {
    enum class Kind : uint8_t { Off, Valid, Invalid };
    Kind kind = Kind::Off;
    Hotkey key;  // set only for Valid
    bool operator==(const HotkeySetting&) const = default;
};

// "Ctrl+Alt+F9": modifiers among Ctrl, Alt, Shift and Win, each at most once, joined by "+",
// then exactly one key: A-Z, 0-9, F1-F24, Space, or one of . , ; / ' [ ] \ - = `. Names are
// ASCII and case-insensitive; spaces and tabs around a part are ignored. Only these four
// modifier names count ("Control" and the like are Invalid), so a value reads one way only.
// Empty or blank text is Off. Anything else is Invalid, as is text of over 256 units once
// trimmed, and a key other than F1-F24 with no modifier or Shift alone, which would swallow
// ordinary typing in every program.
HotkeySetting parse_hotkey(std::u16string_view text);

// The canonical spelling that parse_hotkey reads back: "Ctrl+Alt+F10", modifiers in the order
// Ctrl, Alt, Shift, Win, letters upper case. Modifier bits other than the four are left out;
// a virtual key that parse_hotkey never gives names nothing and gives an empty string.
std::u16string hotkey_name(Hotkey key);

inline constexpr Hotkey kDefaultHotkey{kModCtrl | kModAlt, 0x79 /* F10 */};

}  // namespace quillaro
