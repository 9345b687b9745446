#include "palette/hotkey.h"

#include <algorithm>
#include <array>

#include "symbols/decimal.h"

namespace quillaro {
namespace {

// Far beyond "Ctrl + Alt + Shift + Win + Space"; longer text is no hotkey a person wrote.
constexpr size_t kMaxHotkeyUnits = 256;

constexpr uint32_t kVkSpace = 0x20;
constexpr uint32_t kVkF1 = 0x70;
constexpr uint32_t kFunctionKeys = 24;

struct Modifier {
    std::u16string_view name;
    uint32_t bit;
};
// In the order the canonical name spells them.
constexpr std::array<Modifier, 4> kModifiers{{
    {u"Ctrl", kModCtrl},
    {u"Alt", kModAlt},
    {u"Shift", kModShift},
    {u"Win", kModWin},
}};

struct Punctuation {
    char16_t unit;
    uint32_t virtual_key;
};
// The US layout's OEM keys; other layouts move the characters, not these codes.
constexpr std::array<Punctuation, 11> kPunctuation{{
    {u';', 0xBA},
    {u'=', 0xBB},
    {u',', 0xBC},
    {u'-', 0xBD},
    {u'.', 0xBE},
    {u'/', 0xBF},
    {u'`', 0xC0},
    {u'[', 0xDB},
    {u'\\', 0xDC},
    {u']', 0xDD},
    {u'\'', 0xDE},
}};

bool is_blank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// ASCII only: a Kelvin sign or a dotless i must not pass for a Latin letter.
char16_t ascii_upper(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

bool same_name(std::u16string_view part, std::u16string_view name) {
    return std::equal(part.begin(), part.end(), name.begin(), name.end(),
                      [](char16_t a, char16_t b) { return ascii_upper(a) == ascii_upper(b); });
}

bool is_digit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

bool is_function_key(uint32_t virtual_key) {
    return virtual_key >= kVkF1 && virtual_key < kVkF1 + kFunctionKeys;
}

uint32_t modifier_bit(std::u16string_view part) {
    const auto* found = std::find_if(kModifiers.begin(), kModifiers.end(),
                                     [part](const Modifier& m) { return same_name(part, m.name); });
    return found != kModifiers.end() ? found->bit : 0;
}

// "F1" to "F24", without leading zeros; 0 for anything else.
uint32_t function_key(std::u16string_view part) {
    if (part.size() < 2 || part.size() > 3 || ascii_upper(part[0]) != u'F') return 0;
    if (part[1] < u'1' || part[1] > u'9') return 0;
    auto number = static_cast<uint32_t>(part[1] - u'0');
    if (part.size() == 3) {
        if (!is_digit(part[2])) return 0;
        number = number * 10 + static_cast<uint32_t>(part[2] - u'0');
    }
    return number <= kFunctionKeys ? kVkF1 + number - 1 : 0;
}

uint32_t virtual_key_of(std::u16string_view part) {
    if (part.size() == 1) {
        const char16_t unit = ascii_upper(part[0]);
        if ((unit >= u'A' && unit <= u'Z') || is_digit(unit)) return unit;
        const auto* found =
            std::find_if(kPunctuation.begin(), kPunctuation.end(),
                         [unit](const Punctuation& key) { return key.unit == unit; });
        return found != kPunctuation.end() ? found->virtual_key : 0;
    }
    if (same_name(part, u"Space")) return kVkSpace;
    return function_key(part);
}

std::u16string key_name(uint32_t virtual_key) {
    if ((virtual_key >= 'A' && virtual_key <= 'Z') || (virtual_key >= '0' && virtual_key <= '9')) {
        return {static_cast<char16_t>(virtual_key)};
    }
    if (virtual_key == kVkSpace) return u"Space";
    if (is_function_key(virtual_key)) {
        std::u16string name(u"F");  // appended: GCC 12 warns wrongly of "F" + decimal(...)
        name += decimal(virtual_key - kVkF1 + 1);
        return name;
    }
    const auto* found = std::find_if(
        kPunctuation.begin(), kPunctuation.end(),
        [virtual_key](const Punctuation& key) { return key.virtual_key == virtual_key; });
    if (found != kPunctuation.end()) return {found->unit};
    return {};
}

}  // namespace

HotkeySetting parse_hotkey(std::u16string_view text) {
    text = trimmed(text);
    if (text.empty()) return {};
    const HotkeySetting invalid{HotkeySetting::Kind::Invalid, {}};
    if (text.size() > kMaxHotkeyUnits) return invalid;

    // Every part before the last "+" is a new modifier, so this runs at most five times.
    Hotkey key;
    for (;;) {
        const size_t plus = text.find(u'+');
        const std::u16string_view part = trimmed(text.substr(0, plus));
        if (plus == std::u16string_view::npos) {
            key.virtual_key = virtual_key_of(part);
            if (key.virtual_key == 0) return invalid;
            break;
        }
        const uint32_t bit = modifier_bit(part);
        if (bit == 0 || (key.modifiers & bit) != 0) return invalid;
        key.modifiers |= bit;
        text.remove_prefix(plus + 1);
    }
    if (!is_function_key(key.virtual_key) && (key.modifiers & ~kModShift) == 0) return invalid;
    return {HotkeySetting::Kind::Valid, key};
}

std::u16string hotkey_name(Hotkey key) {
    std::u16string name = key_name(key.virtual_key);
    if (name.empty()) return name;
    std::u16string modifiers;
    for (const Modifier& modifier : kModifiers) {
        if ((key.modifiers & modifier.bit) != 0) {
            modifiers += modifier.name;
            modifiers += u'+';
        }
    }
    return modifiers + name;
}

}  // namespace quillaro
