#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette_fixture.h"

namespace quillaro {
namespace {

std::string numbered(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += (i > 0 ? "," : "") + std::to_string(i);
    return list;
}

class UserGroups : public testing::PaletteFixture {
  protected:
    std::u16string send(int16_t group, int item) { return palette.table.key_text(3, group, item); }
    std::u16string caption(int16_t group, int item) {
        return palette.table.key_caption(3, group, item);
    }
};

// What one file leaves in group 5, read at start-up.
struct FileCase {
    const char* name;
    std::string bytes;  // "-" for no file
    int16_t pages;
    std::vector<std::u16string> captions;  // items 0.. of the group
    std::vector<std::u16string> sends;
    std::u16string button;  // caption of group button 5 (file 4 is "Four")
};

class GroupFile : public UserGroups, public ::testing::WithParamInterface<FileCase> {};

TEST_P(GroupFile, LeavesWhatTheRulesSay) {
    const FileCase& c = GetParam();
    desktop.files[u"user_define_4.txt"] = "Four\r\n";
    if (c.bytes != "-") desktop.files[u"user_define_5.txt"] = c.bytes;
    start_in_set_3();
    EXPECT_EQ(palette.table.page_count(3, 5), c.pages);
    for (size_t i = 0; i < c.captions.size(); ++i)
        EXPECT_EQ(caption(5, int(i)), c.captions[i]) << i;
    EXPECT_EQ(caption(5, int(c.captions.size())), u"");
    for (size_t i = 0; i < c.sends.size(); ++i) EXPECT_EQ(send(5, int(i)), c.sends[i]) << i;
    EXPECT_EQ(send(5, int(c.sends.size())), u"");
    EXPECT_EQ(palette.group_buttons[5].caption, c.button);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, GroupFile,
    ::testing::Values(
        FileCase{"missing", "-", 0, {}, {}, u"Four"}, FileCase{"empty", "", 0, {}, {}, u"Four"},
        FileCase{"one_line", "Sym", 0, {u"Sym"}, {}, u"Sym"},
        FileCase{"one_line_with_end", "a,b\r\n", 0, {u"a", u"b"}, {}, u"a"},
        FileCase{"two_lines", "T\r\nx,y,z", 0, {u"x", u"y", u"z"}, {}, u"T"},
        FileCase{"three_lines", "T\r\nl,r\r\n<,>\r\n", 1, {u"l", u"r"}, {u"<", u">"}, u"T"},
        FileCase{"later_lines_ignored", "T\r\na\r\nb\r\nc,d,e\r\nf\r\n", 1, {u"a"}, {u"b"}, u"T"},
        FileCase{"empty_first_line", "\r\na\r\nb", 1, {u"a"}, {u"b"}, u""},
        FileCase{"one_comma", "T\r\n,\r\n,", 1, {u"", u""}, {u"", u""}, u"T"},
        FileCase{"spaces_kept", "T\r\n a ,b\r\n a ,b", 1, {u" a ", u"b"}, {u" a ", u"b"}, u"T"},
        FileCase{"cr_only", "T\ra\rb", 1, {u"a"}, {u"b"}, u"T"},
        FileCase{"lf_only", "T\na\nb\n", 1, {u"a"}, {u"b"}, u"T"},
        FileCase{"utf8_bom",
                 "\xEF\xBB\xBFT\r\n\xE2\x86\x90\r\n\xEE\x80\x80",
                 1,
                 {u"←"},
                 {u"\uE000"},
                 u"T"},
        FileCase{
            "utf8_without_bom", "\xE7\xAE\xAD\r\na\r\n\xEE\x80\x80", 1, {u"a"}, {u"\uE000"}, u"箭"},
        FileCase{"utf16le_bom",
                 std::string("\xFF\xFET\0\r\0\n\0a\0\r\0\n\0\x00\xE0", 16),
                 1,
                 {u"a"},
                 {u"\uE000"},
                 u"T"},
        FileCase{"utf16be_bom",
                 std::string("\xFE\xFF\0T\0\n\0a\0\n\xE0\x00", 12),
                 1,
                 {u"a"},
                 {u"\uE000"},
                 u"T"},
        FileCase{"big5_user_defined",
                 "\xA4\xA4\r\n\xFA\x40\r\n\xFA\x40,\xA4\xA4",
                 1,
                 {u"\uE000"},
                 {u"\uE000", u"中"},
                 u"中"}));

TEST_F(UserGroups, OverlongLinesKeepWhatFits) {
    desktop.files[u"user_define_0.txt"] = "A\r\n" + numbered(252) + "\r\n" + numbered(3);
    desktop.files[u"user_define_1.txt"] = "B\r\n" + numbered(3) + "\r\n" + numbered(252);
    desktop.files[u"user_define_2.txt"] = "C\r\n" + numbered(46) + "\r\n" + numbered(47);
    start_in_set_3();
    // Line 2 too long: captions 0..250, nothing of line 3.
    EXPECT_EQ(caption(0, 250), u"250");
    EXPECT_EQ(send(0, 0), u"");
    EXPECT_EQ(palette.table.page_count(3, 0), 0);
    // Line 3 too long: all captions, send strings 0..250, no pages.
    EXPECT_EQ(caption(1, 2), u"2");
    EXPECT_EQ(send(1, 250), u"250");
    EXPECT_EQ(palette.table.page_count(3, 1), 0);
    EXPECT_EQ(palette.page_label.caption, u"1/0頁");
    EXPECT_FALSE(palette.page_down_button.enabled);
    // 46 captions and 47 send strings: two pages, the second with one blank key that types.
    palette.select_group(2);
    palette.next_page();
    EXPECT_EQ(palette.page_label.caption, u"2/2頁");
    EXPECT_EQ(palette.keys[0].caption, u"");
    palette.preview_key(0);
    EXPECT_EQ(palette.preview.text, u"46");
}

TEST_F(UserGroups, MissingFilesRepeatTheCaptionReadBefore) {
    desktop.files[u"user_define_0.txt"] = "A\r\n";
    desktop.files[u"user_define_2.txt"] = "C\r\n";
    start_in_set_3();
    EXPECT_EQ(palette.group_captions, u"A,A,C,C,C,C,C,C,C,C,C,C,C,C,C,C");
    EXPECT_EQ(palette.group_buttons[1].caption, u"A");
    EXPECT_EQ(palette.group_buttons[15].caption, u"C");
}

TEST_F(UserGroups, NoFilesGiveEmptyCaptionsAndEmptyGroups) {
    start_in_set_3();
    EXPECT_EQ(palette.group_captions, std::u16string(15, u','));
    for (const auto& button : palette.group_buttons) EXPECT_EQ(button.caption, u"");
    EXPECT_EQ(palette.page_label.caption, u"1/0頁");
    EXPECT_TRUE(desktop.notices.empty());
}

TEST_F(UserGroups, ACommaInACaptionShiftsTheLaterButtons) {
    desktop.files[u"user_define_0.txt"] = "A,B\r\nk0\r\ns0";
    desktop.files[u"user_define_1.txt"] = "One\r\nk1\r\ns1";
    desktop.files[u"user_define_15.txt"] = "Last";
    start_in_set_3();
    EXPECT_EQ(palette.group_buttons[0].caption, u"A");
    EXPECT_EQ(palette.group_buttons[1].caption, u"B");
    EXPECT_EQ(palette.group_buttons[2].caption, u"One");
    EXPECT_NE(palette.group_buttons[15].caption, u"Last");
    palette.select_group(1);  // the button captioned B still opens file 1's keys
    EXPECT_EQ(palette.keys[0].caption, u"k1");
}

TEST_F(UserGroups, CaptionsAreReadAgainEachTimeSetThreeComesBack) {
    desktop.files[u"user_define_3.txt"] = "Old\r\nk\r\ns";
    start_in_set_3();
    EXPECT_EQ(palette.group_buttons[3].caption, u"Old");
    desktop.files[u"user_define_3.txt"] = "New\r\nchanged\r\nchanged";
    palette.next_set();
    palette.next_set();
    palette.next_set();
    EXPECT_EQ(palette.group_buttons[3].caption, u"New");
    palette.select_group(3);
    EXPECT_EQ(palette.keys[0].caption, u"k");  // keys stay as loaded at start-up
}

TEST_F(UserGroups, EditCommandShowsTheNoticeThenStartsTheEditor) {
    start_in_set_3();
    palette.select_group(12);
    const auto label = palette.page_label.caption;
    palette.previous_page_or_edit();
    EXPECT_EQ(desktop.notices, std::vector<std::u16string>{kEditNotice});
    EXPECT_EQ(desktop.editor_command_lines,
              std::vector<std::u16string>{u"notepad user_define_12.txt"});
    const std::vector<std::string> order(desktop.calls.end() - 2, desktop.calls.end());
    EXPECT_EQ(order, (std::vector<std::string>{"message_box", "start_editor"}));
    EXPECT_EQ(palette.page_label.caption, label);
    EXPECT_EQ(palette.page_up_button.caption, u"編輯");
    EXPECT_EQ(palette.page, 1);
}

TEST_F(UserGroups, EditorThatCannotStartIsReported) {
    desktop.editor_starts = false;
    start_in_set_3();
    palette.select_group(7);
    palette.previous_page_or_edit();
    ASSERT_EQ(desktop.notices.size(), 2U);
    EXPECT_NE(desktop.notices[1].find(u"user_define_7.txt"), std::u16string::npos);
}

TEST_F(UserGroups, PageBackNeverOpensTheEditor) {
    desktop.files[u"user_define_0.txt"] = "T\r\n" + numbered(100) + "\r\n" + numbered(100);
    start_in_set_3();
    palette.next_page();
    EXPECT_EQ(palette.page_up_button.caption, u"上頁");
    palette.previous_page_or_edit();
    EXPECT_EQ(palette.page, 1);
    EXPECT_EQ(palette.page_up_button.caption, u"編輯");
    palette.next_set();  // set 1
    palette.select_group(3);
    palette.next_page();
    palette.previous_page_or_edit();
    EXPECT_EQ(palette.page, 1);
    EXPECT_TRUE(desktop.editor_command_lines.empty());
}

}  // namespace
}  // namespace quillaro
