#include <gtest/gtest.h>

#include <string>

#include "fake_desktop.h"
#include "palette/palette.h"
#include "symbols/decimal.h"

namespace quillaro {
namespace {

std::u16string numbered_list(int count, std::u16string_view prefix) {
    std::u16string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += u',';
        list += std::u16string(prefix) + decimal(i);
    }
    return list;
}

class Navigation : public ::testing::Test {
  protected:
    testing::FakeDesktop desktop;
    Palette palette{desktop};

    // Start-up as the window runs it. Built-in slots loaded before it keep their data; set 3
    // comes from the group files, which start-up reads.
    void start() { palette.start(); }

    void load(int16_t set, int16_t group, int items) {
        if (set == 3) {
            std::string file = "T\r\n";
            for (std::u16string_view prefix : {u"c", u"s"}) {
                for (char16_t c : numbered_list(items, prefix)) file += static_cast<char>(c);
                file += "\r\n";
            }
            desktop.files[u"user_define_" + decimal(group) + u".txt"] = file;
        } else {
            palette.table.load_comma_lists(set, group, numbered_list(items, u"c"),
                                           numbered_list(items, u"s"));
        }
    }
};

TEST_F(Navigation, ControlsAtCreation) {
    EXPECT_EQ(palette.page_up_button.caption, u"上頁");
    EXPECT_FALSE(palette.page_up_button.enabled);
    EXPECT_EQ(palette.page_down_button.caption, u"下頁");
    EXPECT_FALSE(palette.page_down_button.enabled);
    EXPECT_EQ(palette.more_button.caption, u"More");
    EXPECT_EQ(palette.about_button.caption, u"  關於");
    EXPECT_EQ(palette.group_buttons[3].font_size, 11.25);
    EXPECT_EQ(palette.keys[45].caption, u"");
}

TEST_F(Navigation, StartUpSelectsGroupZeroOfSetOne) {
    start();
    EXPECT_EQ(desktop.calls.front(), "topmost");
    EXPECT_EQ(palette.set, 1);
    EXPECT_EQ(palette.group, 0);
    EXPECT_EQ(palette.page, 1);
    EXPECT_EQ(palette.group_buttons[0].caption, u"地址");
    EXPECT_EQ(palette.group_buttons[15].caption, u"標符");
    EXPECT_TRUE(palette.group_buttons[0].bold && palette.group_buttons[0].italic);
    EXPECT_EQ(palette.group_buttons[0].font_size, 10.0);
    EXPECT_EQ(palette.group_buttons[1].font_size, 12.0);
    EXPECT_FALSE(palette.page_up_button.enabled);
    EXPECT_EQ(palette.page_up_button.caption, u"上頁");
}

TEST_F(Navigation, MoreCyclesThroughTheThreeSets) {
    start();
    const char16_t* expected_first[] = {u"俄文", u"", u"地址", u"俄文"};
    const int16_t expected_set[] = {2, 3, 1, 2};
    for (int step = 0; step < 4; ++step) {
        palette.next_set();
        EXPECT_EQ(palette.set, expected_set[step]);
        EXPECT_EQ(palette.group_buttons[0].caption, expected_first[step]);
        EXPECT_EQ(palette.group, 0);
        EXPECT_EQ(palette.page_up_button.caption, palette.set == 3 ? u"編輯" : u"上頁");
        EXPECT_EQ(palette.page_up_button.enabled, palette.set == 3);
    }
}

// The paging buttons and label in every kind of position, walked forward and back.
struct PagingCase {
    int16_t set;
    int send_items;
};

class Paging : public Navigation, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(Paging, ButtonsFollowThePosition) {
    // Named copies rather than a structured binding: the lambda below captures them, which
    // clang before 16 rejects for bindings.
    const int16_t set = GetParam().set;
    const int items = GetParam().send_items;
    // Group files are read at start-up; built-in slots are overwritten by it.
    if (set == 3) load(set, 5, items);
    start();
    if (set != 3) load(set, 5, items);
    while (palette.set != set) palette.next_set();
    palette.select_group(5);

    const auto pages = static_cast<int16_t>((items + 45) / 46);
    ASSERT_EQ(palette.table.page_count(set, 5), pages);
    auto check = [&](int16_t page) {
        SCOPED_TRACE("page " + std::to_string(page));
        EXPECT_EQ(palette.page, page);
        EXPECT_EQ(palette.page_label.caption, decimal(page) + u"/" + decimal(pages) + u"頁");
        const bool edit = set == 3 && page == 1;
        EXPECT_EQ(palette.page_up_button.caption, edit ? u"編輯" : u"上頁");
        EXPECT_EQ(palette.page_up_button.enabled, edit || page > 1);
        EXPECT_EQ(palette.page_down_button.enabled, page < pages);
        const int first = 46 * (page - 1);
        EXPECT_EQ(palette.keys[0].caption, first < items ? u"c" + decimal(first) : u"");
    };
    check(1);
    for (int16_t page = 2; page <= pages; ++page) {
        palette.next_page();
        check(page);
    }
    for (int16_t page = static_cast<int16_t>(pages - 1); page >= 1; --page) {
        palette.previous_page_or_edit();
        check(page);
    }
    EXPECT_TRUE(desktop.editor_command_lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Positions, Paging,
                         ::testing::Values(PagingCase{1, 1}, PagingCase{1, 46}, PagingCase{1, 47},
                                           PagingCase{2, 138}, PagingCase{3, 0}, PagingCase{3, 47},
                                           PagingCase{3, 200}, PagingCase{3, 251}));

TEST_F(Navigation, EmptyGroupShowsPageOneOfZero) {
    start();
    palette.next_set();
    palette.next_set();
    palette.select_group(9);  // set 3 without group files
    EXPECT_EQ(palette.page_label.caption, u"1/0頁");
    EXPECT_FALSE(palette.page_down_button.enabled);
    for (const auto& key : palette.keys) {
        EXPECT_EQ(key.caption, u"");
        EXPECT_EQ(key.font_size, 12.0);
    }
}

TEST_F(Navigation, KeyFontSizeComesFromThePageOneCaption) {
    // Captions of 0..5 code units, then a two-unit surrogate pair on page 2.
    start();
    palette.table.load_comma_lists(1, 2, u",a,ab,abc,abcd,abcde," + numbered_list(40, u"x") + u",y",
                                   numbered_list(47, u"s"));
    palette.select_group(2);
    const double expected[] = {12, 12, 11, 8, 12, 12};
    for (size_t k = 0; k < 6; ++k) EXPECT_EQ(palette.keys[k].font_size, expected[k]) << k;
    palette.next_page();
    EXPECT_EQ(palette.keys[0].caption, u"y");
    EXPECT_EQ(palette.keys[3].font_size, 8.0);  // kept from page 1
}

TEST_F(Navigation, ReselectingAGroupReturnsToPageOne) {
    start();
    palette.table.load_comma_lists(2, 1, numbered_list(140, u"c"), numbered_list(140, u"s"));
    palette.next_set();
    palette.select_group(1);
    palette.next_page();
    palette.next_page();
    EXPECT_EQ(palette.page, 3);
    palette.select_group(1);
    EXPECT_EQ(palette.page, 1);
    EXPECT_EQ(palette.keys[0].caption, u"c0");
}

TEST_F(Navigation, SixthPageShowsNothingPastItem250) {
    load(3, 0, 251);
    start();
    palette.next_set();
    palette.next_set();
    for (int i = 0; i < 5; ++i) palette.next_page();
    EXPECT_EQ(palette.page_label.caption, u"6/6頁");
    EXPECT_EQ(palette.keys[20].caption, u"c250");
    for (size_t k = 21; k < 46; ++k) EXPECT_EQ(palette.keys[k].caption, u"") << k;
    EXPECT_FALSE(palette.page_down_button.enabled);
}

TEST_F(Navigation, GroupCaptionsAreTakenLiterally) {
    desktop.files[u"user_define_0.txt"] = "A&B\r\n";
    start();
    palette.next_set();
    palette.next_set();
    EXPECT_EQ(palette.group_buttons[0].caption, u"A&B");
    EXPECT_EQ(palette.group_buttons[1].caption, u"A&B");
}

}  // namespace
}  // namespace quillaro
