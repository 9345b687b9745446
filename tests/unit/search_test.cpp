#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/symbol_search.h"
#include "palette_fixture.h"

namespace quillaro {
namespace {

struct Case {
    std::u16string query;
    std::vector<SymbolPlace> found;
};

TEST(SymbolSearch, EachFormOfQueryFindsItsItemsExactOnesFirstEachTextOnce) {
    KeyTable table;
    table.load_comma_lists(1, 0, u"※,α,Α,→,AB,\uE000", u"※,α,Α,→,ab,\uE000");
    table.load_comma_lists(1, 1, u"米,x", u"※,x");  // ※ again: shown once
    table.load_comma_lists(3, 0, u"αβ,Ux", u"αβ,U+");
    SymbolSearch search;
    search.index(table, {u"符號,希臘", u"", u"箭頭"});
    const std::u16string megabyte(1 << 20, u'x');
    const std::vector<Case> cases = {
        {u"※", {{1, 0, 0}}},
        {u"203b", {{1, 0, 0}}},
        {u"  203B ", {{1, 0, 0}}},
        {u"U+03B1", {{1, 0, 1}, {3, 0, 0}}},
        {u"0x3b1", {{1, 0, 1}, {3, 0, 0}}},
        {u"alpha", {{1, 0, 1}, {1, 0, 2}, {3, 0, 0}}},  // table order: no item equals "alpha"
        {u"greek small alp", {{1, 0, 1}, {3, 0, 0}}},
        {u"rightwards-arr", {{1, 0, 3}}},
        {u"arrow rightwards", {{1, 0, 3}}},
        {u"ab", {{1, 0, 4}}},               // text and caption, any ASCII case
        {u"x", {{1, 1, 1}, {3, 0, 1}}},     // equal first, then the caption Ux
        {u"箭頭", {{3, 0, 0}, {3, 0, 1}}},  // a group caption: its items
        {u"希", {{1, 1, 0}, {1, 1, 1}}},    // part of a caption: the group's items
        {u"U+", {{3, 0, 1}}},               // no code point: the characters themselves
        {u"U+110000", {}},
        {u"\uE000", {{1, 0, 5}}},  // Private Use Area: by itself, no name
        {std::u16string(65, u'f'), {}},
        {u"\xD800", {}},
        {u"", {}},
        {u"   ", {}},
        {megabyte, {}},
    };
    std::vector<SymbolPlace> found;
    for (const Case& test : cases) {
        search.find(test.query, found);
        EXPECT_EQ(found, test.found) << "query of " << test.query.size() << " units";
    }
}

TEST(SymbolSearch, QueriedCodePoints) {
    const std::vector<std::pair<std::u16string, int32_t>> cases = {
        {u"U+203B", 0x203B}, {u"u+41", 0x41},  {u"0X1F600", 0x1F600}, {u"10FFFF", 0x10FFFF},
        {u"203", -1},        {u"1234567", -1}, {u"U+", -1},           {u"0x", -1},
        {u"110000", -1},     {u"U+20 3B", -1}, {u"0+12", -1},         {u"g000", -1},
    };
    for (const auto& [query, code_point] : cases) {
        EXPECT_EQ(queried_code_point(query), code_point) << ::testing::PrintToString(query);
    }
}

class Searching : public testing::PaletteFixture {};

TEST_F(Searching, ResultsPageOnTheKeysAndEscapeBringsTheGroupPageBack) {
    start_in_set_3();
    palette.select_group(11);  // an empty user group
    palette.search_for(u"a");  // every name with a word beginning with A: several pages
    ASSERT_TRUE(palette.searching);
    for (const ButtonControl& button : palette.group_buttons) EXPECT_FALSE(button.bold);
    EXPECT_EQ(palette.page_up_button.caption, u"上頁");
    EXPECT_FALSE(palette.page_up_button.enabled);
    const std::u16string label = palette.page_label.caption;
    EXPECT_EQ(label.substr(0, 2), u"1/");
    palette.next_page();
    EXPECT_EQ(palette.page_label.caption.substr(0, 2), u"2/");
    palette.preview_key(0);
    EXPECT_EQ(palette.preview.text, u"a") << "hovering leaves the query alone";
    EXPECT_NE(palette.key_tooltip(0).find(u"第"), std::u16string::npos) << "where it stands";

    palette.target = 0x200;
    palette.escape_search();
    EXPECT_FALSE(palette.searching);
    EXPECT_EQ(palette.page_label.caption, u"1/0頁");
    EXPECT_EQ(palette.page_up_button.caption, u"編輯");
    EXPECT_TRUE(palette.group_buttons[11].bold);
    EXPECT_EQ(desktop.calls.back(), "set_foreground 512");
}

TEST_F(Searching, TypedSymbolsBecomeRecentAndTheShownListKeepsItsOrder) {
    palette.start();
    palette.target = 0x200;
    palette.begin_search();
    palette.search_for(u"203b");
    palette.send_first_result();
    palette.search_for(u"alpha");
    palette.send_key(0);
    ASSERT_EQ(desktop.typed, (std::vector<std::u16string>{u"※", u"α"}));
    palette.search_for(u"");
    EXPECT_EQ(palette.keys[0].caption, u"α");
    EXPECT_EQ(palette.keys[1].caption, u"※");
    palette.send_key(1);  // typed again: to the front, but the keys stay as they are
    EXPECT_EQ(palette.recent.entries().front().text, u"※");
    EXPECT_EQ(palette.keys[0].caption, u"α");
    palette.select_group(2);  // a group button leaves the search
    EXPECT_FALSE(palette.searching);
    EXPECT_EQ(palette.recent_changes, 3U);
}

}  // namespace
}  // namespace quillaro
