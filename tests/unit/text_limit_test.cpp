// What a key shows and types when its strings are far longer than any symbol, or come from a
// group file with control bytes in it.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "palette_fixture.h"
#include "symbols/group_file.h"

namespace quillaro {
namespace {

using TextLimit = testing::PaletteFixture;

TEST(WithinTextLimit, CutsOnlyWhatIsTooLongAndNeverSplitsAPair) {
    const std::u16string exact(kMaxTextUnits, u'x');
    EXPECT_EQ(within_text_limit(exact), exact);
    EXPECT_EQ(within_text_limit(exact + u'y'), exact);
    EXPECT_EQ(within_text_limit(u""), u"");

    // A surrogate pair across the limit goes as a whole or not at all.
    const std::u16string before_pair(kMaxTextUnits - 1, u'x');
    EXPECT_EQ(within_text_limit(before_pair + u"\U0001F600z"), before_pair);
    EXPECT_EQ(within_text_limit(before_pair.substr(1) + u"\U0001F600z"),
              before_pair.substr(1) + u"\U0001F600");
    // A lone high surrogate at the limit is no pair: it stays, as the table holds it.
    const std::u16string lone = before_pair + u'\xD800';
    EXPECT_EQ(within_text_limit(lone + u'a'), lone);
}

TEST_F(TextLimit, ARunawayLineShowsAndTypesItsStartOnly) {
    // Line 1 and the only caption: 1.5 million units without a comma; the send string of
    // key 1 is 100,000 units long.
    const std::string huge(1'500'000, 'h');
    const std::string long_send(100'000, 's');
    desktop.files[u"user_define_0.txt"] = huge + "\r\nk0,k1\r\nshort," + long_send + "\r\n";
    start_in_set_3();

    // The table keeps what a key can show and type, no more.
    EXPECT_EQ(palette.table.key_text(3, 0, 1).size(), kMaxTextUnits);
    EXPECT_EQ(palette.table.key_text(3, 0, 0), u"short");

    // What the controls carry and what a click types is cut to the limit. The 15 missing files
    // repeat the huge caption, each copy cut as well.
    for (const auto& button : palette.group_buttons) {
        EXPECT_EQ(button.caption, std::u16string(kMaxTextUnits, u'h'));
    }
    EXPECT_EQ(palette.group_captions.size(), 16 * kMaxTextUnits + 15);
    palette.preview_key(1);
    EXPECT_EQ(palette.preview.text, std::u16string(kMaxTextUnits, u's'));
    palette.send_key(1);
    palette.send_key(0);
    EXPECT_EQ(desktop.typed,
              (std::vector<std::u16string>{std::u16string(kMaxTextUnits, u's'), u"short"}));
}

TEST_F(TextLimit, LinesPastTheReadLimitDoNotExist) {
    // Line 1 alone fills the part of the file that is read: the file reads as one line, which
    // doubles as the caption list, as in any one-line file.
    desktop.files[u"user_define_0.txt"] =
        std::string(kMaxGroupFileBytes, 'h') + "\r\nk0,k1\r\ns0,s1\r\n";
    start_in_set_3();
    EXPECT_EQ(palette.keys[0].caption, std::u16string(kMaxTextUnits, u'h'));
    EXPECT_EQ(palette.keys[1].caption, u"");
    EXPECT_EQ(palette.page_label.caption, u"1/0頁");
}

TEST_F(TextLimit, CaptionsWithCommasStillShiftTheButtonsAfterThem) {
    // Line 1 of file 0: 20 fields, the second one too long; lines 1 of the others are never
    // shown, since file 0 alone fills the 16 buttons.
    std::string first = "A," + std::string(3000, 'b');
    for (int i = 2; i < 20; ++i) first += "," + std::to_string(i);
    desktop.files[u"user_define_0.txt"] = first + "\r\n";
    desktop.files[u"user_define_1.txt"] = "One\r\n";
    desktop.files[u"user_define_2.txt"] = std::string(200000, ',') + "\r\n";
    start_in_set_3();
    EXPECT_EQ(palette.group_buttons[0].caption, u"A");
    EXPECT_EQ(palette.group_buttons[1].caption, std::u16string(kMaxTextUnits, u'b'));
    EXPECT_EQ(palette.group_buttons[2].caption, u"2");
    EXPECT_EQ(palette.group_buttons[15].caption, u"15");
    EXPECT_EQ(std::count(palette.group_captions.begin(), palette.group_captions.end(), u','), 15);

    // A line of commas: empty captions from there on.
    desktop.files[u"user_define_0.txt"] = "Zero\r\n";
    palette.next_set();
    palette.next_set();
    palette.next_set();
    EXPECT_EQ(palette.group_buttons[1].caption, u"One");
    for (size_t i = 2; i < palette.group_buttons.size(); ++i) {
        EXPECT_EQ(palette.group_buttons[i].caption, u"") << i;
    }
}

TEST_F(TextLimit, AnOverlongCaptionKeepsTheFontSizeOfItsFullLength) {
    desktop.files[u"user_define_0.txt"] = "T\r\n" + std::string(5000, 'c') + ",ab\r\nx,y\r\n";
    start_in_set_3();
    EXPECT_EQ(palette.keys[0].caption.size(), kMaxTextUnits);
    EXPECT_EQ(palette.keys[0].font_size, 12.0);
    EXPECT_EQ(palette.keys[1].font_size, 11.0);
}

TEST_F(TextLimit, ControlBytesInAFileNeitherShowNorType) {
    using namespace std::string_literals;
    // A NUL would end the window text early; backspace, Ctrl+V and Ctrl+Z would edit the
    // target window instead of typing into it.
    desktop.files[u"user_define_0.txt"] =
        "N\0UL\r\na\0b,c\x08"
        "d,\t\x16\r\nx\0y,z\x1A\r\n"s;
    start_in_set_3();
    EXPECT_EQ(palette.group_buttons[0].caption, u"NUL");
    EXPECT_EQ(palette.keys[0].caption, u"ab");
    EXPECT_EQ(palette.keys[1].caption, u"cd");
    EXPECT_EQ(palette.keys[2].caption, u"\t");
    palette.preview_key(0);
    EXPECT_EQ(palette.preview.text, u"xy");
    palette.send_key(0);
    palette.send_key(1);
    EXPECT_EQ(desktop.typed, (std::vector<std::u16string>{u"xy", u"z"}));
}

}  // namespace
}  // namespace quillaro
