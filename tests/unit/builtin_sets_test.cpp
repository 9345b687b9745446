#include "symbols/builtin_sets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "symbols/comma_list.h"
#include "symbols/item_notation.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

constexpr Loader kComma = Loader::CommaList;
constexpr Loader kChar = Loader::OnePerCharacter;

// Cuts a group's string the way its loader does.
std::vector<std::u16string> items_of(const BuiltinGroup& group) {
    std::vector<std::u16string> items;
    if (group.loader == kChar) {
        std::transform(group.items.begin(), group.items.end(), std::back_inserter(items),
                       [](char16_t c) { return std::u16string(1, c); });
        return items;
    }
    if (group.items.empty()) return items;
    for (const std::u16string_view item : split_at_commas(group.items)) items.emplace_back(item);
    return items;
}

const BuiltinGroup& group_of(int set, int group) {
    return builtin_groups()[static_cast<size_t>(set - 1) * 16 + static_cast<size_t>(group)];
}

std::u16string item_of(int set, int group, size_t item) {
    return items_of(group_of(set, group)).at(item);
}

struct Shape {
    int16_t set;
    int16_t group;
    Loader loader;
    size_t items;
    int16_t pages;
};

constexpr std::array<Shape, 32> kShapes = {{
    {1, 0, kComma, 44, 1},   {1, 1, kComma, 24, 1},   {1, 2, kComma, 22, 1},
    {1, 3, kComma, 128, 3},  {1, 4, kComma, 26, 1},   {1, 5, kComma, 28, 1},
    {1, 6, kComma, 128, 3},  {1, 7, kComma, 46, 1},   {1, 8, kComma, 59, 2},
    {1, 9, kComma, 128, 3},  {1, 10, kComma, 63, 2},  {1, 11, kComma, 35, 1},
    {1, 12, kComma, 79, 2},  {1, 13, kComma, 128, 3}, {1, 14, kComma, 47, 2},
    {1, 15, kComma, 57, 2},  {2, 0, kComma, 66, 2},   {2, 1, kComma, 126, 3},
    {2, 2, kComma, 89, 2},   {2, 3, kChar, 202, 5},   {2, 4, kChar, 45, 1},
    {2, 5, kChar, 89, 2},    {2, 6, kChar, 24, 1},    {2, 7, kChar, 33, 1},
    {2, 8, kChar, 230, 5},   {2, 9, kChar, 89, 2},    {2, 10, kChar, 19, 1},
    {2, 11, kChar, 118, 3},  {2, 12, kChar, 118, 3},  {2, 13, kChar, 86, 2},
    {2, 14, kComma, 129, 3}, {2, 15, kChar, 57, 2},
}};

TEST(BuiltinSets, GroupsComeInLoadOrderWithTheirLoaderItemsAndPages) {
    const auto groups = builtin_groups();
    ASSERT_EQ(groups.size(), kShapes.size());
    KeyTable table;
    ASSERT_NO_THROW(load_builtin_groups(table));
    size_t total = 0;
    for (size_t i = 0; i < kShapes.size(); ++i) {
        const Shape& want = kShapes.at(i);
        SCOPED_TRACE(testing::Message() << "set " << want.set << " group " << want.group);
        EXPECT_EQ(groups[i].set, want.set);
        EXPECT_EQ(groups[i].group, want.group);
        EXPECT_EQ(groups[i].loader, want.loader);
        EXPECT_EQ(items_of(groups[i]).size(), want.items);
        EXPECT_EQ(table.page_count(want.set, want.group), want.pages);
        total += items_of(groups[i]).size();
    }
    EXPECT_EQ(total, 2562U);
}

TEST(BuiltinSets, EveryKeyTypesWhatItShowsAndNothingPastTheGroup) {
    KeyTable table;
    load_builtin_groups(table);
    for (const BuiltinGroup& group : builtin_groups()) {
        SCOPED_TRACE(testing::Message() << "set " << group.set << " group " << group.group);
        const auto items = items_of(group);
        for (int32_t i = 0; i < kItemSlots; ++i) {
            const auto index = static_cast<size_t>(i);
            const std::u16string want = index < items.size() ? items[index] : u"";
            EXPECT_EQ(table.key_caption(group.set, group.group, i), want) << "item " << i;
            EXPECT_EQ(table.key_text(group.set, group.group, i), want) << "item " << i;
        }
    }
}

TEST(BuiltinSets, OnlyAsciiBesidesSpaceIsOneAsterisk) {
    struct Ascii {
        int set;
        int group;
        size_t item;
        char16_t c;
        bool operator==(const Ascii&) const = default;
    };
    std::vector<Ascii> found;
    for (const BuiltinGroup& group : builtin_groups()) {
        const auto items = items_of(group);
        for (size_t i = 0; i < items.size(); ++i) {
            for (const char16_t c : items[i]) {
                if (c < 0x80 && c != u' ') found.push_back({group.set, group.group, i, c});
            }
        }
    }
    EXPECT_EQ(found, (std::vector<Ascii>{{1, 2, 7, u'*'}}));
    EXPECT_EQ(item_of(1, 2, 7), u"*");
}

TEST(BuiltinSets, OnlyTheseItemsHaveSeveralCharacters) {
    struct Multi {
        int set;
        int group;
        size_t item;
        std::u16string text;
        bool operator==(const Multi&) const = default;
    };
    const std::vector<Multi> want = {
        {1, 5, 0, u" \u221A"},
        {2, 14, 114, u"\uED52\uED55"},
        {2, 14, 115, u"\uED52\uED53\uED54"},
        {2, 14, 116, u"\uED58\uED59"},
        {2, 14, 118, u"\uED70\uED71"},
        {2, 14, 119, u"\uED4A\uED4B"},
        {2, 14, 120, u"\uECD0\uECD1"},
        {2, 14, 121, u"\uED65\uED66"},
        {2, 14, 122, u"\uED7A\uED7B"},
        {2, 14, 123, u"\uED7C\uED7D"},
        {2, 14, 126, u"\uED50\uED51"},
        {2, 14, 127, u"\uED56\uED57"},
        {2, 14, 128, u"\uED4C\uED4D"},
    };
    std::vector<Multi> found;
    for (const BuiltinGroup& group : builtin_groups()) {
        const auto items = items_of(group);
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].size() > 1) found.push_back({group.set, group.group, i, items[i]});
        }
    }
    EXPECT_EQ(found, want);
}

TEST(BuiltinSets, RepeatedSymbolsAreSeparateKeys) {
    struct Repeat {
        int set;
        int group;
        std::u16string symbol;
        long times;
    };
    const std::array<Repeat, 6> repeats = {{
        {1, 2, u"\u00A7", 2},
        {1, 12, u"\uEE90", 3},
        {2, 1, u"\uEF33", 2},
        {1, 15, u"\uFF08", 2},
        {1, 15, u"\uFF5B", 2},
        {2, 3, u"\uF748", 2},
    }};
    for (const Repeat& r : repeats) {
        const auto items = items_of(group_of(r.set, r.group));
        EXPECT_EQ(std::count(items.begin(), items.end(), r.symbol), r.times)
            << "set " << r.set << " group " << r.group;
    }
}

TEST(BuiltinSets, GreekLettersSkipFinalSigma) {
    const auto greek = items_of(group_of(1, 1));
    EXPECT_EQ(std::count(greek.begin(), greek.end(), u"\u03C2"), 0);
    EXPECT_EQ(greek.at(16), u"ρ");
    EXPECT_EQ(greek.at(17), u"σ");
}

// First item, last item and an item just past a run or blank boundary, read off the table.
TEST(BuiltinSets, SpotChecks) {
    struct Spot {
        int set;
        int group;
        size_t item;
        std::u16string text;
    };
    const std::vector<Spot> spots = {
        {1, 0, 0, u"縣"},        {1, 0, 16, u"○"},
        {1, 0, 43, u"兆"},       {1, 1, 0, u"α"},
        {1, 1, 23, u"ω"},        {1, 2, 0, u"☆"},
        {1, 2, 8, u" "},         {1, 2, 21, u"§"},
        {1, 3, 0, u"\uE90C"},    {1, 3, 7, u""},
        {1, 3, 16, u"\uE897"},   {1, 3, 52, u"\uE8B5"},
        {1, 3, 127, u"\uE8FA"},  {1, 4, 0, u""},
        {1, 4, 6, u"Ⅰ"},         {1, 4, 16, u"\uF6C5"},
        {1, 4, 25, u"\uF6CE"},   {1, 5, 12, u"π"},
        {1, 5, 27, u"÷"},        {1, 6, 0, u"\uE9A9"},
        {1, 6, 52, u"\uE952"},   {1, 6, 127, u"\uE997"},
        {1, 7, 0, u""},          {1, 7, 6, u"ㄅ"},
        {1, 7, 9, u""},          {1, 7, 10, u"ㄓ"},
        {1, 7, 45, u"ㄥ"},       {1, 8, 5, u""},
        {1, 8, 6, u"\uEB91"},    {1, 8, 10, u"\uEB75"},
        {1, 8, 58, u"\uEB8F"},   {1, 9, 0, u""},
        {1, 9, 6, u"\uE9D0"},    {1, 9, 16, u"\uE9D1"},
        {1, 9, 127, u"\uEA34"},  {1, 10, 0, u"\uEC83"},
        {1, 10, 15, u"\uECA1"},  {1, 10, 62, u"\uECC1"},
        {1, 11, 0, u"\uEC72"},   {1, 11, 6, u"↖"},
        {1, 11, 13, u"\uEC51"},  {1, 11, 34, u"\uEC48"},
        {1, 12, 0, u"\uEE60"},   {1, 12, 6, u"\uEE90"},
        {1, 12, 78, u"\uEEB5"},  {1, 13, 0, u"\uEA6B"},
        {1, 13, 16, u"\uEBA8"},  {1, 13, 127, u"\uEC0B"},
        {1, 14, 0, u"※"},        {1, 14, 9, u"\uE92F"},
        {1, 14, 46, u"\uEC59"},  {1, 15, 0, u"，"},
        {1, 15, 18, u"︿"},      {1, 15, 56, u"﹄"},
        {2, 0, 0, u"\uF7A0"},    {2, 0, 65, u"\uF7E1"},
        {2, 1, 0, u"\uEC0D"},    {2, 1, 6, u"\uEC15"},
        {2, 1, 125, u"\uEF53"},  {2, 2, 5, u""},
        {2, 2, 6, u"\uE897"},    {2, 2, 15, u""},
        {2, 2, 88, u"\uE921"},   {2, 3, 0, u"\uF748"},
        {2, 3, 168, u"\uF79F"},  {2, 3, 169, u"道"},
        {2, 3, 201, u" "},       {2, 4, 0, u"\uE838"},
        {2, 4, 4, u"\uE839"},    {2, 4, 34, u"醯"},
        {2, 4, 44, u"\uE85C"},   {2, 5, 0, u"\uE9CC"},
        {2, 5, 5, u" "},         {2, 5, 6, u"\uE934"},
        {2, 5, 88, u"\uE9BE"},   {2, 6, 0, u"\uEE69"},
        {2, 6, 6, u"\uEE79"},    {2, 6, 23, u"\uEE9E"},
        {2, 7, 0, u"＄"},        {2, 7, 16, u"㎎"},
        {2, 7, 32, u"㎜"},       {2, 8, 0, u"\uEA6D"},
        {2, 8, 118, u"\uEB0B"},  {2, 8, 229, u"\uEB6E"},
        {2, 9, 0, u"\uEDFA"},    {2, 9, 15, u"\uEDBC"},
        {2, 9, 88, u"\uEDEC"},   {2, 10, 0, u"\uED94"},
        {2, 10, 8, u"\uED93"},   {2, 10, 11, u"乾"},
        {2, 10, 18, u"兌"},      {2, 11, 0, u"\uE4E8"},
        {2, 11, 52, u"\uE511"},  {2, 11, 117, u"\uE54C"},
        {2, 12, 0, u" "},        {2, 12, 52, u"\uF80D"},
        {2, 12, 117, u"\uF848"}, {2, 13, 0, u"╓"},
        {2, 13, 52, u"▁"},       {2, 13, 79, u"\uED85"},
        {2, 13, 85, u" "},       {2, 14, 0, u"\uECE1"},
        {2, 14, 13, u"\uED4F"},  {2, 14, 128, u"\uED4C\uED4D"},
        {2, 15, 0, u"\uE4F2"},   {2, 15, 12, u"％"},
        {2, 15, 56, u"\uE2F2"},
    };
    for (const Spot& s : spots) {
        EXPECT_EQ(item_of(s.set, s.group, s.item), s.text)
            << "set " << s.set << " group " << s.group << " item " << s.item;
    }
}

TEST(BuiltinSets, CaptionListsNameSixteenGroupsEach) {
    for (const char16_t* names : {kSet1GroupNames, kSet2GroupNames}) {
        const std::u16string list = names;
        EXPECT_EQ(std::count(list.begin(), list.end(), u','), 15);
        EXPECT_EQ(list.size(), 16U * 2 + 15);  // every caption is two characters
    }
    EXPECT_EQ(std::u16string(kSet1GroupNames).substr(0, 3), u"地址,");
    EXPECT_EQ(std::u16string(kSet2GroupNames).substr(45), u"分數");
}

TEST(ItemNotation, ExpandsToTheStringItsLoaderCutsBack) {
    using namespace notation;
    EXPECT_EQ(expand(kComma, {empty(), one(0x41)}), u",A");
    EXPECT_EQ(expand(kComma, {one(0x41), empty(2)}), u"A,,");
    EXPECT_EQ(expand(kComma, {empty(3)}), u",,");
    EXPECT_EQ(expand(kComma, {run(0x41, 0x43), multi({0x20, 0x44}), space()}), u"A,B,C, D, ");
    EXPECT_EQ(expand(kChar, {run(0x41, 0x43), space(2), one(0x44)}), u"ABC  D");
    // A run that ends at the last code unit must stop there rather than wrap around.
    EXPECT_EQ(expand(kChar, {run(0xFFFE, 0xFFFF)}), u"\uFFFE\uFFFF");
}

}  // namespace
}  // namespace quillaro
