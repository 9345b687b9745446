#include "symbols/key_table.h"

#include <gtest/gtest.h>

#include <string>

#include "symbols/decimal.h"

namespace quillaro {
namespace {

// A comma list of `count` items named i0, i1, ...
std::u16string numbered_list(int count, std::u16string_view prefix = u"i") {
    std::u16string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += u',';
        list += std::u16string(prefix) + decimal(i);
    }
    return list;
}

struct PageCase {
    int items;
    int16_t pages;
};

class CommaListPages : public ::testing::TestWithParam<PageCase> {};

TEST_P(CommaListPages, PageCountFollowsTheSendList) {
    KeyTable table;
    table.load_comma_lists(3, 4, u"", numbered_list(GetParam().items));
    EXPECT_EQ(table.page_count(3, 4), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(Counts, CommaListPages,
                         ::testing::Values(PageCase{0, 0}, PageCase{1, 1}, PageCase{46, 1},
                                           PageCase{47, 2}, PageCase{92, 2}, PageCase{93, 3},
                                           PageCase{230, 5}, PageCase{231, 6}, PageCase{251, 6}));

TEST(ShowSend, SplitsAtEveryCommaAndKeepsEmptyItems) {
    KeyTable table;
    table.load_comma_lists(1, 0, u"a,,b", u"x,y,z");
    EXPECT_EQ(table.key_caption(1, 0, 0), u"a");
    EXPECT_EQ(table.key_caption(1, 0, 1), u"");
    EXPECT_EQ(table.key_caption(1, 0, 2), u"b");
    EXPECT_EQ(table.key_text(1, 0, 2), u"z");
    EXPECT_EQ(table.page_count(1, 0), 1);

    table.load_comma_lists(1, 1, u",", u" a , b");
    EXPECT_EQ(table.key_caption(1, 1, 0), u"");
    EXPECT_EQ(table.key_caption(1, 1, 1), u"");
    EXPECT_EQ(table.key_text(1, 1, 0), u" a ");  // nothing is trimmed
    EXPECT_EQ(table.key_text(1, 1, 1), u" b");

    table.load_comma_lists(1, 2, u"，", u"a，b");  // a full-width comma is an ordinary character
    EXPECT_EQ(table.key_text(1, 2, 0), u"a，b");
    EXPECT_EQ(table.page_count(1, 2), 1);
}

TEST(ShowSend, StoresBothListsIndependently) {
    KeyTable table;
    table.load_comma_lists(2, 5, u"a,b,c", u"1,2,3,4,5");
    EXPECT_EQ(table.key_caption(2, 5, 3), u"");
    EXPECT_EQ(table.key_text(2, 5, 4), u"5");
    EXPECT_EQ(table.page_count(2, 5), 1);

    table.load_comma_lists(2, 6, numbered_list(50), numbered_list(40));
    EXPECT_EQ(table.key_caption(2, 6, 49), u"i49");
    EXPECT_EQ(table.key_text(2, 6, 39), u"i39");
    EXPECT_EQ(table.key_text(2, 6, 40), u"");
    EXPECT_EQ(table.page_count(2, 6), 1);
}

TEST(ShowSend, EmptyListsResetThePageCountOnly) {
    KeyTable table;
    table.load_comma_lists(1, 0, numbered_list(100), numbered_list(100));
    table.load_comma_lists(1, 0, u"", u"");
    EXPECT_EQ(table.page_count(1, 0), 0);
    EXPECT_EQ(table.key_caption(1, 0, 99), u"i99");
}

TEST(ShowSend, ShorterReloadLeavesTheOldTail) {
    KeyTable table;
    table.load_comma_lists(3, 1, numbered_list(50, u"a"), numbered_list(50, u"a"));
    table.load_comma_lists(3, 1, numbered_list(40, u"b"), numbered_list(40, u"b"));
    EXPECT_EQ(table.key_caption(3, 1, 39), u"b39");
    EXPECT_EQ(table.key_caption(3, 1, 40), u"a40");
    EXPECT_EQ(table.key_text(3, 1, 49), u"a49");
    EXPECT_EQ(table.page_count(3, 1), 1);
}

TEST(KeyTable, ReplacingASetKeepsNothingOfIt) {
    KeyTable table;
    table.load_comma_lists(3, 1, numbered_list(50, u"a"), numbered_list(50, u"a"));
    table.load_comma_lists(3, 7, u"x", u"y");
    table.load_comma_lists(2, 1, u"set2", u"set2");
    KeyTable fresh;
    fresh.load_comma_lists(3, 1, numbered_list(40, u"b"), numbered_list(40, u"b"));
    table.replace_set(3, fresh);
    EXPECT_EQ(table.key_caption(3, 1, 39), u"b39");
    EXPECT_EQ(table.key_caption(3, 1, 40), u"");  // no tail of the longer list
    EXPECT_EQ(table.key_text(3, 7, 0), u"");      // a group the new set does not have
    EXPECT_EQ(table.page_count(3, 7), 0);
    EXPECT_EQ(table.page_count(3, 1), 1);
    EXPECT_EQ(table.key_text(2, 1, 0), u"set2");  // other sets stay
    EXPECT_EQ(fresh.key_caption(3, 1, 0), u"");   // moved, not copied
    table.replace_set(9, fresh);                  // no such set: nothing happens
    EXPECT_EQ(table.key_caption(3, 1, 0), u"b0");
}

TEST(ShowSend, TooManySendItemsKeepsWhatWasStoredAndTheOldPageCount) {
    KeyTable table;
    table.load_comma_lists(3, 2, u"old", u"old");
    EXPECT_THROW(table.load_comma_lists(3, 2, u"a,b", numbered_list(252)), LoadError);
    EXPECT_EQ(table.key_caption(3, 2, 1), u"b");
    EXPECT_EQ(table.key_text(3, 2, 250), u"i250");
    EXPECT_EQ(table.page_count(3, 2), 1);
}

TEST(ShowSend, TooManyCaptionsStoresNothingOfTheSendList) {
    KeyTable table;
    EXPECT_THROW(table.load_comma_lists(3, 3, numbered_list(300), u"s"), LoadError);
    EXPECT_EQ(table.key_caption(3, 3, 250), u"i250");
    EXPECT_EQ(table.key_text(3, 3, 0), u"");
    EXPECT_EQ(table.page_count(3, 3), 0);
}

TEST(ShowSend, CountOverflowFailsBeforeAnythingIsStored) {
    KeyTable table;
    const std::u16string commas(32768, u',');  // 32,769 items
    try {
        table.load_comma_lists(3, 0, u"a" + commas, u"x");
        FAIL() << "expected an overflow";
    } catch (const LoadError& error) {
        EXPECT_EQ(error.kind(), LoadError::Kind::Overflow);
    }
    EXPECT_EQ(table.key_caption(3, 0, 0), u"");

    // 32,768 items still count; they fail later, at item 251, as an ordinary range error.
    try {
        table.load_comma_lists(3, 0, std::u16string(32767, u','), u"x");
        FAIL() << "expected a range failure";
    } catch (const LoadError& error) {
        EXPECT_EQ(error.kind(), LoadError::Kind::OutOfRange);
    }
}

struct BadTarget {
    int16_t g;
    int16_t k;
};

class InvalidTarget : public ::testing::TestWithParam<BadTarget> {};

TEST_P(InvalidTarget, FailsBeforeStoringEvenWithEmptyLists) {
    KeyTable table;
    EXPECT_THROW(table.load_comma_lists(GetParam().g, GetParam().k, u"", u""), LoadError);
    EXPECT_THROW(table.load_comma_lists(GetParam().g, GetParam().k, u"a", u"b"), LoadError);
    EXPECT_THROW(table.load_per_character(GetParam().g, GetParam().k, u"a", u"b"), LoadError);
}

INSTANTIATE_TEST_SUITE_P(Targets, InvalidTarget,
                         ::testing::Values(BadTarget{4, 0}, BadTarget{-1, 0}, BadTarget{0, 21},
                                           BadTarget{0, -1}, BadTarget{32767, 0}));

TEST(ShowSend, AcceptsTheUnusedSlots) {
    KeyTable table;
    table.load_comma_lists(0, 20, u"a", u"b");
    EXPECT_EQ(table.key_text(0, 20, 0), u"b");
    EXPECT_EQ(table.page_count(0, 20), 1);
}

TEST(ShowSend2, OneItemPerCodeUnitAndPagesFromTheCaptions) {
    KeyTable table;
    table.load_per_character(2, 3, std::u16string(47, u'a'), u"xyz");
    EXPECT_EQ(table.key_caption(2, 3, 46), u"a");
    EXPECT_EQ(table.key_text(2, 3, 2), u"z");
    EXPECT_EQ(table.key_text(2, 3, 3), u"");
    EXPECT_EQ(table.page_count(2, 3), 2);

    table.load_per_character(2, 4, u"\U00020000,",
                             u"");  // a surrogate pair is two items; "," is one
    EXPECT_EQ(table.key_caption(2, 4, 0), std::u16string(1, u'\xD840'));
    EXPECT_EQ(table.key_caption(2, 4, 2), u",");
}

TEST(ShowSend2, FortySixCharactersLeaveItemFortySixAlone) {
    KeyTable table;
    table.load_per_character(2, 5, std::u16string(47, u'o'), u"");
    table.load_per_character(2, 5, std::u16string(46, u'n'), u"");
    EXPECT_EQ(table.key_caption(2, 5, 45), u"n");
    EXPECT_EQ(table.key_caption(2, 5, 46), u"o");
    EXPECT_EQ(table.page_count(2, 5), 1);
}

TEST(ShowSend2, LimitsAndOverflow) {
    KeyTable table;
    EXPECT_THROW(table.load_per_character(2, 6, std::u16string(252, u'c'), u"s"), LoadError);
    EXPECT_EQ(table.key_caption(2, 6, 250), u"c");
    EXPECT_EQ(table.key_text(2, 6, 0), u"");

    try {
        table.load_per_character(2, 7, u"", std::u16string(32768, u's'));
        FAIL() << "expected an overflow";
    } catch (const LoadError& error) {
        EXPECT_EQ(error.kind(), LoadError::Kind::Overflow);
    }
    EXPECT_EQ(table.key_text(2, 7, 0), u"");
}

TEST(KeyTable, ReadsOutsideTheTableAreEmpty) {
    KeyTable table;
    table.load_comma_lists(3, 0, numbered_list(251), numbered_list(251));
    EXPECT_EQ(table.key_caption(3, 0, 250), u"i250");
    EXPECT_EQ(table.key_caption(3, 0, 251), u"");  // the sixth page's keys 21..45
    EXPECT_EQ(table.key_text(3, 0, 275), u"");
    EXPECT_EQ(table.key_text(3, 0, -1), u"");
    EXPECT_EQ(table.page_count(9, 0), 0);
}

// Groups hold only the cells they were given; the rest must still read as empty.
TEST(KeyTable, CellsNeverStoredAreEmpty) {
    KeyTable table;
    table.load_comma_lists(3, 2, u"a,b,c", u"x");
    EXPECT_EQ(table.key_caption(3, 2, 2), u"c");
    EXPECT_EQ(table.key_text(3, 2, 1), u"");       // fewer send strings than captions
    EXPECT_EQ(table.key_caption(3, 2, 3), u"");    // past the last stored item
    EXPECT_EQ(table.key_caption(3, 2, 250), u"");  // the last slot
    EXPECT_EQ(table.key_text(3, 3, 0), u"");       // a group never stored
    table.load_comma_lists(3, 2, numbered_list(251), numbered_list(251));
    EXPECT_EQ(table.key_text(3, 2, 250), u"i250");  // a group grows when reloaded longer
    EXPECT_EQ(table.key_caption(3, 2, 0), u"i0");
}

}  // namespace
}  // namespace quillaro
