// Reading the user's hotkey value, and the name the palette writes for a hotkey.
#include "palette/hotkey.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quillaro {
namespace {

using Kind = HotkeySetting::Kind;
using namespace std::string_literals;

struct HotkeyCase {
    std::u16string text;
    Kind kind;
    Hotkey key;
};

TEST(ParseHotkey, ReadsEachFormAndRejectsTheRest) {
    const auto cases = std::to_array<HotkeyCase>({
        {u"", Kind::Off, {}},
        {u" \t ", Kind::Off, {}},
        {u"Ctrl+Alt+F9", Kind::Valid, {kModCtrl | kModAlt, 0x78}},
        {u"win+shift+alt+ctrl+space",
         Kind::Valid,
         {kModCtrl | kModAlt | kModShift | kModWin, 0x20}},
        {u"  cTRL +\tz ", Kind::Valid, {kModCtrl, 'Z'}},
        {u"Alt+0", Kind::Valid, {kModAlt, '0'}},
        {u"F1", Kind::Valid, {0, 0x70}},  // a function key alone types nothing
        {u"Shift+f24", Kind::Valid, {kModShift, 0x87}},
        {u"Ctrl+\\", Kind::Valid, {kModCtrl, 0xDC}},
    });
    for (const HotkeyCase& c : cases) {
        const HotkeySetting setting = parse_hotkey(c.text);
        EXPECT_EQ(setting.kind, c.kind) << ::testing::PrintToString(c.text);
        EXPECT_EQ(setting.key, c.key) << ::testing::PrintToString(c.text);
    }

    const std::u16string_view punctuation = u";=,-./`[\\]'";
    const auto codes =
        std::to_array<uint32_t>({0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE});
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(parse_hotkey(u"Win+" + std::u16string(1, punctuation[i])).key.virtual_key,
                  codes[i]);
    }

    const auto invalid = std::to_array<std::u16string>({
        u"A",           u"Shift+A",     u"Space",     u"Shift+.",  // would swallow ordinary typing
        u"Ctrl+",       u"+A",          u"Ctrl++A",   u"Ctrl+Alt", u"Ctrl+Ctrl+A", u"Ctrl+A+B",
        u"A+Ctrl",      u"Control+A",   u"Ctrl+Plus", u"Ctrl+AB",  u"Ctrl+Al t+A", u"Ctrl\nAlt+A",
        u"Ctrl+A\0"s,   u"Ctrl+F0",     u"Ctrl+F25",  u"Ctrl+F01", u"Ctrl+F100",   u"Ctrl+\xC4",
        u"Ctrl+\xFF21", u"Ctrl+\x212A",  // the Kelvin sign folds to "k" in Unicode
    });
    for (const std::u16string& text : invalid) {
        EXPECT_EQ(parse_hotkey(text), (HotkeySetting{Kind::Invalid, {}}))
            << ::testing::PrintToString(text);
    }
}

TEST(ParseHotkey, AMegabyteIsNoHotkey) {
    const std::u16string spaces(1 << 20, u' ');
    EXPECT_EQ(parse_hotkey(spaces).kind, Kind::Off);
    EXPECT_EQ(parse_hotkey(u"Ctrl+" + spaces + u"A").kind, Kind::Invalid);
    EXPECT_EQ(parse_hotkey(std::u16string(1 << 20, u'+')).kind, Kind::Invalid);
}

TEST(HotkeyName, IsCanonicalAndReadsBack) {
    EXPECT_EQ(hotkey_name(kDefaultHotkey), u"Ctrl+Alt+F10");
    EXPECT_EQ(hotkey_name({kModWin | kModShift | kModAlt | kModCtrl, 0x20}),
              u"Ctrl+Alt+Shift+Win+Space");
    EXPECT_EQ(hotkey_name({kModCtrl, 0x07}), u"");  // no key this value can name

    const auto keys = std::to_array<Hotkey>({{kModCtrl, 'Q'},
                                             {kModAlt | kModWin, '7'},
                                             {kModShift, 0x87},
                                             {kModAlt, 0xDE},
                                             {kModWin, 0xC0}});
    for (const Hotkey& key : keys) {
        EXPECT_EQ(parse_hotkey(hotkey_name(key)), (HotkeySetting{Kind::Valid, key}));
    }
}

}  // namespace
}  // namespace quillaro
