// What the group-file rules make of a folder of hostile files, file by file: the same bytes the
// end-to-end test writes into a real folder, read here through the fake desktop's decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hostile_group_files.h"
#include "palette_fixture.h"
#include "symbols/group_file.h"

namespace quillaro {
namespace {

using Entry = testing::GroupFileEntry;

class HostileFiles : public testing::PaletteFixture {
  protected:
    void SetUp() override {
        for (const Entry& entry : testing::hostile_group_files()) {
            const std::u16string name = group_file_name(entry.group);
            if (entry.kind == Entry::Kind::File) desktop.files[name] = entry.bytes;
            if (entry.kind == Entry::Kind::HeldOpen) desktop.files_in_use.insert(name);
        }
        start_in_set_3();
    }

    // Items of a group, captions or send strings, up to the last one that is not empty.
    [[nodiscard]] std::vector<std::u16string> items(int16_t group, bool sends) const {
        std::vector<std::u16string> out;
        for (int32_t i = 0; i < kItemSlots; ++i) {
            out.push_back(sends ? palette.table.key_text(3, group, i)
                                : palette.table.key_caption(3, group, i));
        }
        while (!out.empty() && out.back().empty()) out.pop_back();
        return out;
    }
    std::u16string ansi(std::string_view bytes) { return desktop.decode_ansi(bytes); }
};

std::vector<std::u16string> numbered(const std::u16string& prefix, int count) {
    std::vector<std::u16string> out;
    for (int i = 0; i < count; ++i) {
        const std::string digits = std::to_string(i);
        out.push_back(prefix + std::u16string(digits.begin(), digits.end()));
    }
    return out;
}

TEST_F(HostileFiles, EachFileGivesWhatTheRulesSay) {
    const std::vector<std::u16string> none;
    const std::u16string cut = ansi("\xA4");
    struct Case {
        int16_t group;
        const char* what;
        std::vector<std::u16string> captions;
        std::vector<std::u16string> sends;
        int16_t pages;
    };
    const std::vector<Case> cases = {
        {0,
         "Big5 items split at commas; FA 40 types U+E000",
         {ansi("\xA5\xAA"), ansi("\xA5\x6B"), ansi("\xA4\x57"), ansi("\xA4\x55"), ansi("\xAC\x50"),
          ansi("\xA6\x6E")},
         {ansi("\xA1\xF6"), ansi("\xA1\xF7"), ansi("\xA1\xF4"), ansi("\xA1\xF5"),
          ansi("\xA1\x75\xA1\x76"), u"\uE000"},
         1},
        {2, "100,000 commas overflow the caption list: no keys at all", none, none, 0},
        {3,
         "40,000 send strings overflow: the captions stay, nothing to type",
         {u"k0", u"k1", u"k2"},
         none,
         0},
        {4,
         "a cut-off lead byte takes neither the comma nor the line end after it",
         {u"中" + cut, cut, u"x" + ansi("\xFA")},
         {u"s" + cut, u"\uE000", u"t" + cut},
         1},
        {5,
         "NUL, backspace, Ctrl+V, Ctrl+Z, Esc and DEL are dropped, TAB stays",
         {u"ab", u"cd", u"ef", u"gh", u"\ti", u"j"},
         {u"ab", u"cd", u"ef", u"gh", u"\ti", u"j"},
         1},
        {6, "a byte-order mark alone: an empty file", none, none, 0},
        {7, "line ends only: empty lines", none, none, 0},
        {8, "a folder: no file", none, none, 0},
        {9, "held open without sharing: no file", none, none, 0},
        {11, "47 keys: two pages", numbered(u"a", 47), numbered(u"b", 47), 2},
        {12,
         "UTF-16: a surrogate pair is one symbol, unpaired halves are kept",
         {u"p", u"\U0001F600", u"\xD800x"},
         {u"P", u"\U0001F600", u"\xDC00y"},
         1},
        {14, "300 captions: the first 251 stay, then the list fails", numbered(u"c", 251), none, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("file ") + std::to_string(c.group) + ": " + c.what);
        EXPECT_EQ(items(c.group, false), c.captions);
        EXPECT_EQ(items(c.group, true), c.sends);
        EXPECT_EQ(palette.table.page_count(3, c.group), c.pages);
    }
}

TEST_F(HostileFiles, LongLinesAndRandomBytesStayWithinWhatAKeyHolds) {
    const std::u16string& line = palette.table.key_caption(3, 1, 0);
    EXPECT_EQ(line.size(), kMaxTextUnits) << "the 10 MB line is one caption, cut";
    EXPECT_TRUE(line.starts_with(u"長行0123456789長行"));
    EXPECT_TRUE(items(1, true).empty());
    EXPECT_EQ(palette.table.page_count(3, 1), 0);

    EXPECT_EQ(items(10, false), numbered(u"k", 251)) << "251 keys on six pages";
    EXPECT_EQ(items(10, true).size(), 251U);
    EXPECT_EQ(palette.table.key_text(3, 10, 3), u"s3\uE003中");
    EXPECT_EQ(palette.table.page_count(3, 10), 6);

    EXPECT_EQ(palette.table.key_text(3, 13, 0).size(), kMaxTextUnits);
    EXPECT_EQ(palette.table.page_count(3, 13), 1);

    const auto dropped = [](char16_t unit) {
        return (unit < 0x20 && unit != u'\t') || unit == 0x7F;
    };
    for (int32_t i = 0; i < kItemSlots; ++i) {
        EXPECT_FALSE(std::ranges::any_of(palette.table.key_caption(3, 15, i), dropped)) << i;
        EXPECT_FALSE(std::ranges::any_of(palette.table.key_text(3, 15, i), dropped)) << i;
    }
}

TEST_F(HostileFiles, FilesWithoutAFirstLineRepeatTheCaptionBefore) {
    const std::u16string cut = ansi("\xA4");
    const std::vector<std::u16string> captions = {ansi("\xB1\x60\xA5\xCE"),
                                                  palette.table.key_caption(3, 1, 0),
                                                  u"Commas",
                                                  u"Forty",
                                                  u"Cut" + cut,
                                                  u"NUL",
                                                  u"NUL",
                                                  u"",
                                                  u"",
                                                  u"",
                                                  u"六頁",
                                                  u"Two",
                                                  u"U16",
                                                  u"Long",
                                                  u"Over"};
    for (size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(palette.group_buttons.at(i).caption, captions[i]) << "group " << i;
    }
}

}  // namespace
}  // namespace quillaro
