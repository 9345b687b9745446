// The key events that type a string literally while the user may be holding modifier keys,
// described without the window system; the Win32 side turns each into one SendInput event.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillaro {

// One modifier key as Windows knows it: its virtual-key code, its scan code, and whether it is
// an extended key (sent with the extended flag, or the system presses the left key instead).
struct ModifierKey {
    uint16_t virtual_key;
    uint16_t scan;
    bool extended;
    // Alt and the Windows keys: pressed and let go with no key in between, they open the
    // target's menu or the Start menu.
    bool opens_menu;

    friend bool operator==(const ModifierKey&, const ModifierKey&) = default;
};

inline constexpr ModifierKey kLeftCtrl{0xA2, 0x1D, false, false};
inline constexpr ModifierKey kRightCtrl{0xA3, 0x1D, true, false};
inline constexpr ModifierKey kLeftAlt{0xA4, 0x38, false, true};
inline constexpr ModifierKey kRightAlt{0xA5, 0x38, true, true};  // AltGr, with left Ctrl
inline constexpr ModifierKey kLeftShift{0xA0, 0x2A, false, false};
inline constexpr ModifierKey kRightShift{0xA1, 0x36, false, false};
inline constexpr ModifierKey kLeftWin{0x5B, 0x5B, true, true};
inline constexpr ModifierKey kRightWin{0x5C, 0x5C, true, true};
inline constexpr std::array<ModifierKey, 8> kModifierKeys = {
    kLeftCtrl, kRightCtrl, kLeftAlt, kRightAlt, kLeftShift, kRightShift, kLeftWin, kRightWin};

// An unassigned virtual key: pressed before Alt or a Windows key is let go, it keeps that
// release from opening a menu.
inline constexpr uint16_t kMenuMaskKey = 0xE8;

struct KeyEvent {
    enum class Kind : uint8_t { Key, Unicode };
    Kind kind = Kind::Key;
    uint16_t virtual_key = 0;
    uint16_t scan = 0;  // the UTF-16 unit for Kind::Unicode
    bool extended = false;
    bool up = false;

    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// Lets go of the held modifiers (masking Alt and Win first), types each UTF-16 unit as a
// key-down and key-up, then presses Ctrl and Shift again as the user still holds them. Alt
// and Win stay up: pressed again, their release by the user would open a menu.
std::vector<KeyEvent> typing_events(std::u16string_view text, std::span<const ModifierKey> held);

// When the system took only the first events of a batch: the key-ups for the keys among them
// that went down and not up again. Modifiers pressed again are the user's and stay as they are.
std::vector<KeyEvent> keys_left_down(std::span<const KeyEvent> taken);

}  // namespace quillaro
