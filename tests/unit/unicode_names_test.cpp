// English character names: stored ones, computed ideograph ones, and the gaps that have none.
#include "symbols/unicode_names.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "palette/key_tooltip.h"
#include "symbols/builtin_sets.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

struct NameCase {
    char32_t code_point;
    std::string_view name;
};

TEST(UnicodeName, NamesStoredComputedAndMissing) {
    const NameCase cases[] = {
        {0x0020, "SPACE"},  // first stored name
        {0x203B, "REFERENCE MARK"},
        {0x03B1, "GREEK SMALL LETTER ALPHA"},
        {0x2191, "UPWARDS ARROW"},
        {0x3000, "IDEOGRAPHIC SPACE"},
        {0x3105, "BOPOMOFO LETTER B"},
        {0x1D7FF, "MATHEMATICAL MONOSPACE DIGIT NINE"},
        {0x1F600, "GRINNING FACE"},
        {0x3400, "CJK UNIFIED IDEOGRAPH-3400"},
        {0x4E00, "CJK UNIFIED IDEOGRAPH-4E00"},
        {0x9FFF, "CJK UNIFIED IDEOGRAPH-9FFF"},
        {0x20000, "CJK UNIFIED IDEOGRAPH-20000"},
        {0xF900, "CJK COMPATIBILITY IDEOGRAPH-F900"},
        {0x2F800, "CJK COMPATIBILITY IDEOGRAPH-2F800"},
        {0x0000, ""},      // control
        {0x0085, ""},      // control inside a stored block
        {0x0378, ""},      // unassigned inside a stored block
        {0xFA6E, ""},      // unassigned among the compatibility ideographs
        {0x2A6E0, ""},     // just past a unified ideograph range
        {0xAC00, ""},      // Hangul syllables are not stored
        {0xE000, ""},      // private use
        {0xF8FF, ""},      // private use
        {0x10FFFD, ""},    // private use, plane 16
        {0xD800, ""},      // surrogate
        {0x110000, ""},    // past Unicode
        {0xFFFFFFFF, ""},  // far past Unicode
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(unicode_name(c.code_point).text(), c.name)
            << std::hex << static_cast<uint32_t>(c.code_point);
    }
}

TEST(UnicodeName, CopyKeepsItsOwnText) {
    UnicodeName copy;
    {
        UnicodeName original = unicode_name(0x4E00);
        copy = original;
        original = unicode_name(0x2191);  // overwrites the buffer a careless copy would share
    }
    EXPECT_EQ(copy.text(), "CJK UNIFIED IDEOGRAPH-4E00");
}

bool is_private_use(char32_t c) { return (c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000; }

TEST(UnicodeName, EveryCharacterOfTheBuiltInSetsHasAName) {
    KeyTable table;
    load_builtin_groups(table);
    std::string missing;
    for (int16_t set = 1; set <= 2; ++set) {
        for (int16_t group = 0; group < 16; ++group) {
            for (int32_t item = 0; item < kItemSlots; ++item) {
                CodePoints cps(table.key_text(set, group, item));
                while (!cps.done()) {
                    const char32_t c = cps.next();
                    if (is_private_use(c) || !unicode_name(c).text().empty()) continue;
                    std::u16string hex = hex_code_point(c);
                    missing += ::testing::PrintToString(hex) + " ";
                }
            }
        }
    }
    EXPECT_EQ(missing, "");
}

}  // namespace
}  // namespace quillaro
