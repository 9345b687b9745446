// The code-point texts a key shows when no font draws its symbol, and its tooltip.
#include "palette/key_tooltip.h"

#include <gtest/gtest.h>

#include <string>

#include "palette_fixture.h"

namespace quillaro {
namespace {

struct CaptionCase {
    std::u16string caption;
    std::u16string shown;
};

TEST(CodePointCaption, FirstVisibleCodePointWithAnEllipsisForSeveral) {
    const CaptionCase cases[] = {
        {u"\xE90C", u"E90C"},
        {u"\xED52\xED53\xED54", u"ED52…"},  // several characters: one key, one code point shown
        {u"\x00A7", u"00A7"},               // at least four digits
        {u"a", u"0061"},
        {u"\U0001F600", u"1F600"},  // a surrogate pair is one character
        {u"\U0001F600x", u"1F600…"},
        {u" \x221A", u"221A…"},       // a leading space is skipped, yet counts as a character
        {u"\xFE0F\x2764", u"2764…"},  // so is a leading variation selector
        {u"\xD800", u"D800"},         // a lone surrogate stands for itself
        {u"\xDBFF\xDFFF", u"10FFFF"},
        {u"", u""},
        {u"  ", u""},  // nothing visible: nothing to show
        {u"\x3000", u""},
    };
    for (const CaptionCase& c : cases) {
        EXPECT_EQ(code_point_caption(c.caption).text(), c.shown);
    }
    EXPECT_EQ(code_point_caption(u"\xED52\xED53").text(true), u"ED52\n…");
}

TEST(CodePointList, ShowsAFewThenAnEllipsis) {
    EXPECT_EQ(code_point_list(u"\xE90C"), u"U+E90C");
    EXPECT_EQ(code_point_list(u"\xED52\xED53\xED54"), u"U+ED52 U+ED53 U+ED54");
    EXPECT_EQ(code_point_list(u"abcd"), u"U+0061 U+0062 U+0063 U+0064");
    EXPECT_EQ(code_point_list(u"abcde"), u"U+0061 U+0062 U+0063 U+0064 …");
    EXPECT_EQ(code_point_list(u"\U0001F600\U0001F601", 1), u"U+1F600 …");
    EXPECT_EQ(code_point_list(u""), u"");
}

TEST(KeyTooltipText, CaptionCodePointsAndTheUsersGroupFile) {
    EXPECT_EQ(key_tooltip_text(u"\xE90C", u"\xE90C", 2, 14), u"\xE90C\r\nU+E90C");
    EXPECT_EQ(key_tooltip_text(u"\x4E2D", u"\x4E2D\x6587", 3, 7),
              u"\x4E2D\r\nU+4E2D U+6587\r\nuser_define_7.txt");
    EXPECT_EQ(key_tooltip_text(u"k", u"", 3, 15), u"k\r\n—\r\nuser_define_15.txt");
    // A blank key of a built-in set has nothing to tell; a space key does.
    EXPECT_EQ(key_tooltip_text(u"", u"", 1, 0), u"");
    EXPECT_EQ(key_tooltip_text(u" ", u" ", 2, 13), u" \r\nU+0020");
}

TEST(KeyTooltipText, ALongCaptionShowsItsStartNeverHalfAPair) {
    const std::u16string start(39, u'x');
    const std::u16string caption = start + u"\U0001F600" + std::u16string(100, u'y');
    const std::u16string text = key_tooltip_text(caption, u"s", 1, 0);
    EXPECT_EQ(text.substr(0, text.find(u'\r')), start + u"…");
    // Exactly as long as the cut: shown whole, with nothing to mark.
    const std::u16string whole(40, u'x');
    const std::u16string full = key_tooltip_text(whole, u"s", 1, 0);
    EXPECT_EQ(full.substr(0, full.find(u'\r')), whole);
}

using KeyTooltip = testing::PaletteFixture;

TEST_F(KeyTooltip, FollowsTheKeyUnderItsPositionAndNamesTheUsersFile) {
    desktop.files[u"user_define_4.txt"] = "G\r\na,bc\r\nx,yz\r\n";
    start_in_set_3();
    palette.select_group(4);
    // The caption and what the key types differ in the user's set.
    EXPECT_EQ(palette.key_tooltip(1), u"bc\r\nU+0079 U+007A\r\nuser_define_4.txt");
    EXPECT_EQ(palette.key_tooltip(2), u"");

    palette.next_set();  // set 1, group 0: 縣 市 ...
    EXPECT_EQ(palette.key_tooltip(1), u"\x5E02\r\nU+5E02");
    palette.next_set();
    palette.select_group(14);  // 鍵盤: page 3 starts at item 92
    palette.next_page();
    palette.next_page();
    EXPECT_EQ(palette.key_tooltip(23), u"\xED52\xED53\xED54\r\nU+ED52 U+ED53 U+ED54");
}

}  // namespace
}  // namespace quillaro
