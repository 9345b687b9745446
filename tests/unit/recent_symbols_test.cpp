// The recent-symbols list and the bytes the window layer keeps it in.
#include "palette/recent_symbols.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "symbols/decimal.h"

namespace quillaro {
namespace {

using namespace std::string_literals;

std::string utf16le(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(RecentSymbols, NewestFirstARepeatMovesToTheFront) {
    RecentSymbols recent;
    recent.add(u"a", u"\x3B1");
    recent.add(u"b", u"\x3B2");
    recent.add(u"c", u"\x3B3");
    recent.add(u"", u"");  // nothing typed
    recent.add(u"beta", u"\x3B2");
    EXPECT_EQ(recent.entries(),
              (std::vector<RecentSymbol>{{u"beta", u"\x3B2"}, {u"c", u"\x3B3"}, {u"a", u"\x3B1"}}));

    // Typed again from the recent page itself: the views point into the list.
    const RecentSymbol& middle = recent.entries()[1];
    recent.add(middle.caption, middle.text);
    EXPECT_EQ(recent.entries(),
              (std::vector<RecentSymbol>{{u"c", u"\x3B3"}, {u"beta", u"\x3B2"}, {u"a", u"\x3B1"}}));
}

TEST(RecentSymbols, KeepsTheNewestFortySixCutToTheTextLimit) {
    RecentSymbols recent;
    for (int i = 0; i < 50; ++i) recent.add(u"", decimal(i));
    ASSERT_EQ(recent.entries().size(), RecentSymbols::kMaxEntries);
    EXPECT_EQ(recent.entries().front().text, u"49");
    EXPECT_EQ(recent.entries().back().text, u"4");

    // Texts alike up to the limit are one entry.
    const std::u16string longest(kMaxTextUnits, u'x');
    recent.add(longest + u"1", longest + u"1");
    recent.add(u"", longest + u"2");
    EXPECT_EQ(recent.entries()[0], (RecentSymbol{u"", longest}));
    EXPECT_EQ(recent.entries()[1].text, u"49");
}

TEST(RecentSymbols, StoredFormReadsBackAnyUnits) {
    RecentSymbols recent;
    recent.add(u"", u"x");
    recent.add(u"a,b", u",\n");
    recent.add(u"\n", u"\0\0"s);
    recent.add(u"\U0001F600", u"\U0001F600\xD800");  // a pair, then a lone surrogate
    recent.add(u"1 2:", u"3\n4 5:6\n");              // looks like an entry's header
    EXPECT_EQ(RecentSymbols::from_stored(recent.to_stored()).entries(), recent.entries());

    // Users' registries hold this form: it must not drift.
    RecentSymbols small;
    small.add(u"", u"\n");
    small.add(u"a", u",b");
    EXPECT_EQ(small.to_stored(), utf16le(u"Quillaro recent 1\n2\n1 2:a,b\n0 1:\n\n"));

    // The largest list fills the bound exactly.
    RecentSymbols full;
    for (size_t i = 0; i < RecentSymbols::kMaxEntries; ++i) {
        const std::u16string longest(kMaxTextUnits, static_cast<char16_t>(u'A' + i));
        full.add(longest, longest);
    }
    const std::string stored = full.to_stored();
    EXPECT_EQ(stored.size(), RecentSymbols::kMaxStoredBytes);
    EXPECT_EQ(RecentSymbols::from_stored(stored).entries(), full.entries());
}

TEST(RecentSymbols, AnyCorruptStoredFormGivesAnEmptyList) {
    const std::u16string valid = u"Quillaro recent 1\n2\n1 1:ab\n0 2:\U0001F600\n";
    ASSERT_EQ(RecentSymbols::from_stored(utf16le(valid)).entries().size(), 2U);

    std::vector<std::string> corrupt;
    for (size_t cut = 0; cut < 2 * valid.size(); ++cut) {
        corrupt.push_back(utf16le(valid).substr(0, cut));
    }
    const std::u16string head = u"Quillaro recent 1\n";
    for (const std::u16string& bad : std::to_array<std::u16string>({
             u"Quillaro recent 2\n1\n1 1:ab\n", u"quillaro recent 1\n1\n1 1:ab\n",
             head + u"01\n1 1:ab\n", head + u"0\n1 1:ab\n", head + u"1\n01 1:ab\n",
             head + u"1\n-1 1:ab\n", head + u"1\n1 0:a\n", head + u"1\n11:ab\n",
             head + u"1\n1 1ab\n", head + u"1\n1 1025:ab\n", head + u"1\n0 999:a\n",
             head + u"1\n1 18446744073709551617:ab\n",  // 2^64 + 1
             head + u"2\n1 1:ab\n1 1:cb\n",             // one text twice
         })) {
        corrupt.push_back(utf16le(bad));
    }
    corrupt.push_back(utf16le(valid) + 'x');   // odd length
    corrupt.push_back(utf16le(valid + u"x"));  // trailing garbage
    corrupt.emplace_back(RecentSymbols::kMaxStoredBytes + 2, '1');
    std::u16string too_many = head + u"47\n";
    for (int i = 0; i < 47; ++i) too_many += u"0 2:" + decimal(10 + i) + u"\n";
    corrupt.push_back(utf16le(too_many));

    for (size_t i = 0; i < corrupt.size(); ++i) {
        EXPECT_TRUE(RecentSymbols::from_stored(corrupt[i]).entries().empty()) << "case " << i;
    }
}

}  // namespace
}  // namespace quillaro
