#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/accessible_facts.h"
#include "palette_fixture.h"

namespace quillaro {
namespace {

TEST(KeyAccessibleName, ReadableCaptionThenCodePointsThenNames) {
    struct Case {
        std::u16string caption;
        std::u16string text;
        std::u16string name;
    };
    const std::u16string phrase(50, u'好');
    const std::vector<Case> cases = {
        {u"※", u"※", u"※ U+203B REFERENCE MARK"},
        {u"\uE90C", u"\uE90C", u"U+E90C"},  // private use: no caption, no name
        {u"", u"", u"空"},
        {u" ", u" ", u"U+0020 SPACE"},  // a blank caption is not read
        {u"①②", u"①②", u"①② U+2460 U+2461 CIRCLED DIGIT ONE, CIRCLED DIGIT TWO"},
        {u"中", u"中", u"中 U+4E2D"},  // an ideograph's name only repeats its code point
        {u"A\uE000", u"A\uE000", u"U+0041 U+E000 LATIN CAPITAL LETTER A"},
        {u"\xD800", u"\xD800", u"U+D800"},  // a lone surrogate
        {u"\U0001F600", u"\U0001F600", u"\U0001F600 U+1F600 GRINNING FACE"},
        {u"→", u"->", u"→ U+002D U+003E HYPHEN-MINUS, GREATER-THAN SIGN"},  // what it types
        {u"abcde", u"abcde",
         u"abcde U+0061 U+0062 U+0063 U+0064 … LATIN SMALL LETTER A, LATIN SMALL LETTER B, "
         u"LATIN SMALL LETTER C, LATIN SMALL LETTER D"},
        {phrase, phrase, std::u16string(40, u'好') + u"… U+597D U+597D U+597D U+597D …"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key_accessible_name(c.caption, c.text), c.name)
            << ::testing::PrintToString(c.name);
    }
}

using AccessibleControls = testing::PaletteFixture;

TEST_F(AccessibleControls, NamesAndStatesFollowThePage) {
    palette.start();
    const auto facts = [&](Role role, int16_t index = 0) {
        return palette.accessible_facts({role, index});
    };
    EXPECT_TRUE(facts(Role::Group, 0).selected);
    EXPECT_FALSE(facts(Role::Group, 1).selected);
    EXPECT_EQ(facts(Role::Group, 1).name, palette.group_buttons[1].caption);
    EXPECT_FALSE(facts(Role::PageUp).enabled);
    EXPECT_EQ(facts(Role::PageLabel).role, AccessibleRole::StaticText);

    palette.select_group(1);
    palette.next_page();
    EXPECT_FALSE(facts(Role::Group, 0).selected);
    EXPECT_TRUE(facts(Role::Group, 1).selected);
    EXPECT_EQ(facts(Role::PageLabel).name, palette.page_label.caption);
    EXPECT_EQ(facts(Role::PageLabel).name.substr(0, 2), u"2/");
    EXPECT_TRUE(facts(Role::PageUp).enabled);
    EXPECT_EQ(facts(Role::PageUp).name, u"上頁");

    palette.next_set();
    palette.next_set();  // page 1 of the user's set: 上頁 is 編輯
    EXPECT_EQ(facts(Role::PageUp).name, u"編輯");
    EXPECT_TRUE(facts(Role::PageUp).enabled);
}

TEST_F(AccessibleControls, KeysSayWhatTheyTypeWhileSearchingToo) {
    palette.start();
    palette.search_for(u"203b");
    EXPECT_FALSE(palette.accessible_facts({Role::Group, 0}).selected);  // no group shows
    const AccessibleFacts found = palette.accessible_facts({Role::Key, 0});
    EXPECT_EQ(found.name, u"※ U+203B REFERENCE MARK");
    EXPECT_EQ(found.default_action, kTypeAction);
    const AccessibleFacts empty = palette.accessible_facts({Role::Key, 1});
    EXPECT_EQ(empty.name, kEmptyKeyName);
    EXPECT_TRUE(empty.default_action.empty());
}

}  // namespace
}  // namespace quillaro
