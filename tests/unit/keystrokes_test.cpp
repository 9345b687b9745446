#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/keystrokes.h"

namespace quillaro {
namespace {

KeyEvent down(const ModifierKey& key) {
    return {KeyEvent::Kind::Key, key.virtual_key, key.scan, key.extended, false};
}
KeyEvent up(const ModifierKey& key) {
    return {KeyEvent::Kind::Key, key.virtual_key, key.scan, key.extended, true};
}
KeyEvent unit(char16_t c, bool is_up) { return {KeyEvent::Kind::Unicode, 0, c, false, is_up}; }
const KeyEvent kMaskDown{KeyEvent::Kind::Key, kMenuMaskKey, 0, false, false};
const KeyEvent kMaskUp{KeyEvent::Kind::Key, kMenuMaskKey, 0, false, true};

// The events around one typed unit for each modifier held alone, and for AltGr: the key let
// go of is exactly the key held (right keys extended, so the left key is never pressed in
// their place); Alt and Win are masked before their release and never pressed again.
struct HeldCase {
    const char* name;
    std::vector<ModifierKey> held;
    std::vector<KeyEvent> before;
    std::vector<KeyEvent> after;
};

class HeldModifiers : public ::testing::TestWithParam<HeldCase> {};

TEST_P(HeldModifiers, AreLetGoAndOnlyCtrlAndShiftPressedAgain) {
    const HeldCase& c = GetParam();
    std::vector<KeyEvent> expected = c.before;
    expected.push_back(unit(u'x', false));
    expected.push_back(unit(u'x', true));
    expected.insert(expected.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(typing_events(u"x", c.held), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HeldModifiers,
    ::testing::Values(HeldCase{"none", {}, {}, {}},
                      HeldCase{"left_ctrl", {kLeftCtrl}, {up(kLeftCtrl)}, {down(kLeftCtrl)}},
                      HeldCase{"right_ctrl", {kRightCtrl}, {up(kRightCtrl)}, {down(kRightCtrl)}},
                      HeldCase{"left_shift", {kLeftShift}, {up(kLeftShift)}, {down(kLeftShift)}},
                      HeldCase{
                          "right_shift", {kRightShift}, {up(kRightShift)}, {down(kRightShift)}},
                      HeldCase{"left_alt", {kLeftAlt}, {kMaskDown, kMaskUp, up(kLeftAlt)}, {}},
                      HeldCase{"right_alt", {kRightAlt}, {kMaskDown, kMaskUp, up(kRightAlt)}, {}},
                      HeldCase{"left_win", {kLeftWin}, {kMaskDown, kMaskUp, up(kLeftWin)}, {}},
                      HeldCase{"right_win", {kRightWin}, {kMaskDown, kMaskUp, up(kRightWin)}, {}},
                      HeldCase{"alt_gr",
                               {kLeftCtrl, kRightAlt},
                               {kMaskDown, kMaskUp, up(kLeftCtrl), up(kRightAlt)},
                               {down(kLeftCtrl)}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Keystrokes, ExtendedKeysAreTheRightHandOnesAndTheWindowsKeys) {
    for (const ModifierKey& key : kModifierKeys) {
        const bool extended =
            key == kRightCtrl || key == kRightAlt || key == kLeftWin || key == kRightWin;
        EXPECT_EQ(key.extended, extended) << key.virtual_key;
    }
    // Ctrl and Alt share their scan codes between sides: only the flag tells them apart.
    EXPECT_EQ(kLeftCtrl.scan, kRightCtrl.scan);
    EXPECT_EQ(kLeftAlt.scan, kRightAlt.scan);
}

// Typing cut short by the system: whatever of it went down goes up again, and the modifiers
// pressed again for the user stay down, as the user holds them.
TEST(Keystrokes, AShortfallLeavesNoTypedKeyDown) {
    const std::vector<ModifierKey> held = {kLeftCtrl, kRightAlt};
    const std::vector<KeyEvent> events = typing_events(u"ab", held);
    ASSERT_EQ(events.size(), 9U);  // mask pair, two releases, two units, Ctrl again
    struct Cut {
        size_t taken;
        std::vector<KeyEvent> left_down;
    };
    const std::vector<Cut> cuts = {
        {0, {}},
        {1, {kMaskUp}},
        {4, {}},                  // released, nothing typed yet
        {5, {unit(u'a', true)}},  // between a's down and up
        {7, {unit(u'b', true)}},
        {8, {}},  // all typed, Ctrl not yet pressed again
        {9, {}},  // everything taken
    };
    for (const Cut& cut : cuts) {
        EXPECT_EQ(keys_left_down(std::span<const KeyEvent>(events).first(cut.taken)), cut.left_down)
            << cut.taken;
    }
}

}  // namespace
}  // namespace quillaro
