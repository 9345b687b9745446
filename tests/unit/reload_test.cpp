// Set 3 read again while the palette runs: what the keys, captions and position become.
#include <gtest/gtest.h>

#include <string>

#include "palette/reload_schedule.h"
#include "palette_fixture.h"

namespace quillaro {
namespace {

// A group file of `items` keys k0.. that type s0..; "-" in a case stands for no file.
std::string group_of(int items, const std::string& caption = "G") {
    std::string keys;
    std::string sends;
    for (int i = 0; i < items; ++i) {
        keys += (i > 0 ? "," : "") + ("k" + std::to_string(i));
        sends += (i > 0 ? "," : "") + ("s" + std::to_string(i));
    }
    return caption + "\r\n" + keys + "\r\n" + sends + "\r\n";
}

using Reload = testing::PaletteFixture;

// Group 4 selected and paged to `page`, then its file rewritten with `items_after` keys (or
// deleted, for -1) and set 3 read again.
struct PositionCase {
    const char* name;
    int items_before;
    int16_t page;
    int items_after;
    int16_t page_after;
    std::u16string label;
    std::u16string up_caption;
    bool down_enabled;
    std::u16string key0;
};

class ReloadPosition : public Reload, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(ReloadPosition, KeepsThePageWhereTheGroupStillHasIt) {
    const PositionCase& c = GetParam();
    desktop.files[u"user_define_4.txt"] = group_of(c.items_before);
    start_in_set_3();
    palette.select_group(4);
    while (palette.page < c.page) palette.next_page();
    if (c.items_after < 0) {
        desktop.files.erase(u"user_define_4.txt");
    } else {
        desktop.files[u"user_define_4.txt"] = group_of(c.items_after);
    }
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_EQ(palette.set, kUserSet);
    EXPECT_EQ(palette.group, 4);
    EXPECT_TRUE(palette.group_buttons[4].bold);
    EXPECT_EQ(palette.page, c.page_after);
    EXPECT_EQ(palette.page_count, palette.table.page_count(kUserSet, 4));
    EXPECT_EQ(palette.page_label.caption, c.label);
    EXPECT_EQ(palette.page_up_button.caption, c.up_caption);
    EXPECT_TRUE(palette.page_up_button.enabled);
    EXPECT_EQ(palette.page_down_button.enabled, c.down_enabled);
    EXPECT_EQ(palette.keys[0].caption, c.key0);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, ReloadPosition,
    ::testing::Values(PositionCase{"SamePage", 100, 3, 120, 3, u"3/3頁", u"上頁", false, u"k92"},
                      PositionCase{"PageGrowsOn", 100, 2, 200, 2, u"2/5頁", u"上頁", true, u"k46"},
                      PositionCase{"PageGone", 100, 3, 50, 1, u"1/2頁", u"編輯", true, u"k0"},
                      PositionCase{"LastPageLeft", 100, 3, 92, 1, u"1/2頁", u"編輯", true, u"k0"},
                      PositionCase{"FileDeleted", 100, 2, -1, 1, u"1/0頁", u"編輯", false, u""},
                      PositionCase{"EmptyGroupStaysOnPageOne", 0, 1, 0, 1, u"1/0頁", u"編輯", false,
                                   u""},
                      PositionCase{"PageOneOfMore", 10, 1, 60, 1, u"1/2頁", u"編輯", true, u"k0"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(Reload, AShorterFileLeavesNothingOfTheLongerOne) {
    desktop.files[u"user_define_0.txt"] = group_of(50);
    start_in_set_3();
    desktop.files[u"user_define_0.txt"] = group_of(40);
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_EQ(palette.table.key_caption(kUserSet, 0, 39), u"k39");
    EXPECT_EQ(palette.table.key_caption(kUserSet, 0, 40), u"");
    EXPECT_EQ(palette.table.key_text(kUserSet, 0, 49), u"");
    EXPECT_EQ(palette.page_label.caption, u"1/1頁");
}

TEST_F(Reload, CaptionsKeysAndFontsFollowTheNewFiles) {
    desktop.files[u"user_define_0.txt"] = "Old\r\nabc,x\r\n1,2\r\n";
    desktop.files[u"user_define_2.txt"] = "Two\r\n";
    start_in_set_3();
    EXPECT_EQ(palette.keys[0].font_size, 8.0);
    desktop.files[u"user_define_0.txt"] = "\xEF\xBB\xBFNew\r\nab,\xE4\xB8\xAD\r\n3,4\r\n";
    desktop.files.erase(u"user_define_2.txt");
    desktop.files[u"user_define_5.txt"] = "Five\r\n";
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_EQ(palette.group_captions,
              u"New,New,New,New,New,Five,Five,Five,Five,Five,Five,Five,"
              u"Five,Five,Five,Five");
    EXPECT_EQ(palette.group_buttons[2].caption, u"New");
    EXPECT_EQ(palette.keys[0].caption, u"ab");
    EXPECT_EQ(palette.keys[1].caption, u"中");
    EXPECT_EQ(palette.keys[0].font_size, 11.0);
    EXPECT_EQ(palette.keys[1].font_size, 12.0);
    palette.send_key(1);
    EXPECT_EQ(desktop.typed.back(), u"4");
    EXPECT_TRUE(desktop.notices.empty());
}

TEST_F(Reload, WhileAnotherSetShowsOnlyTheKeysChange) {
    desktop.files[u"user_define_0.txt"] = group_of(3, "Old");
    palette.start();
    const auto buttons = palette.group_buttons;
    const auto keys = palette.keys;
    const auto label = palette.page_label;
    desktop.files[u"user_define_0.txt"] = group_of(60, "New");
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_EQ(palette.set, 1);
    EXPECT_EQ(palette.group_buttons, buttons);
    EXPECT_EQ(palette.keys, keys);
    EXPECT_EQ(palette.page_label, label);
    EXPECT_EQ(palette.table.page_count(kUserSet, 0), 2);
    palette.next_set();
    palette.next_set();
    EXPECT_EQ(palette.group_buttons[0].caption, u"New");
    EXPECT_EQ(palette.page_label.caption, u"1/2頁");
}

TEST_F(Reload, OutOfMemoryKeepsTheLastGoodSet) {
    desktop.files[u"user_define_1.txt"] = group_of(60, "Good");
    start_in_set_3();
    palette.select_group(1);
    palette.next_page();
    const Palette before = palette;
    desktop.files[u"user_define_1.txt"] = group_of(5, "Bad");
    desktop.out_of_memory = true;
    EXPECT_FALSE(palette.reload_user_groups());
    EXPECT_EQ(palette.table.key_caption(kUserSet, 1, 59), u"k59");
    EXPECT_EQ(palette.group_buttons, before.group_buttons);
    EXPECT_EQ(palette.keys, before.keys);
    EXPECT_EQ(palette.page_label, before.page_label);

    // More round to set 3 again: the captions read last time, the keys as they were.
    palette.next_set();
    palette.next_set();
    palette.next_set();
    EXPECT_EQ(palette.set, kUserSet);
    EXPECT_EQ(palette.group_captions, before.group_captions);
    EXPECT_EQ(palette.group_buttons[1].caption, u"Good");
    palette.select_group(1);
    EXPECT_EQ(palette.page_label.caption, u"1/2頁");

    // At start-up: an empty set 3, and the palette still starts.
    testing::FakeDesktop starving;
    starving.out_of_memory = true;
    Palette fresh(starving);
    fresh.start();
    EXPECT_EQ(fresh.table.page_count(kUserSet, 1), 0);
}

// What a shortage after a good reload keeps is the reloaded set, not the one of start-up.
TEST_F(Reload, OutOfMemoryAfterAReloadKeepsTheReloadedCaptions) {
    desktop.files[u"user_define_1.txt"] = group_of(3, "Old");
    start_in_set_3();
    desktop.files[u"user_define_1.txt"] = group_of(3, "New");
    ASSERT_TRUE(palette.reload_user_groups());
    palette.next_set();
    desktop.out_of_memory = true;
    palette.next_set();
    palette.next_set();
    ASSERT_EQ(palette.set, kUserSet);
    EXPECT_EQ(palette.group_buttons[1].caption, u"New");
}

// A file held by an editor mid-save reads as nothing: set 3 shows what the other files give,
// and the reload says so, so that it runs again once the editor has let go.
TEST_F(Reload, FileInUseIsToldAndReadOnceFree) {
    desktop.files[u"user_define_2.txt"] = group_of(3, "Two");
    start_in_set_3();
    EXPECT_FALSE(palette.met_file_in_use());
    desktop.files_in_use.insert(u"user_define_2.txt");
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_TRUE(palette.met_file_in_use());
    EXPECT_EQ(palette.table.key_caption(kUserSet, 2, 0), u"");
    desktop.files_in_use.clear();
    ASSERT_TRUE(palette.reload_user_groups());
    EXPECT_FALSE(palette.met_file_in_use());
    EXPECT_EQ(palette.table.key_caption(kUserSet, 2, 0), u"k0");
}

TEST(ReloadSchedule, RetriesWhileAFileIsInUseUpToTheLimitThenAgainAfterAChange) {
    ReloadSchedule schedule;
    schedule.files_changed();
    EXPECT_FALSE(schedule.retry_after_reload(false));
    for (int i = 0; i < ReloadSchedule::kMaxRetries; ++i) {
        EXPECT_TRUE(schedule.retry_after_reload(true)) << i;
    }
    EXPECT_FALSE(schedule.retry_after_reload(true));  // the file stays held: give up
    schedule.files_changed();
    EXPECT_TRUE(schedule.retry_after_reload(true));
}

}  // namespace
}  // namespace quillaro
