// Every one of the 2,562 built-in items, caption and send string, against a reference kept
// apart from the code that builds the tables: one digest per group in data/builtin_digests.txt.
//
// After a deliberate change to a built-in group, write the file anew and review its diff:
//   QUILLARO_WRITE_DIGESTS=1 build/host/tests/unit/unit_tests --gtest_filter='BuiltinDigests.*'
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "symbols/builtin_sets.h"
#include "symbols/comma_list.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

const char* const kDigestFile = QUILLARO_UNIT_DATA "/builtin_digests.txt";

// FNV-1a over every slot of the group, caption then send string, each ended by a unit no item
// holds, so that a unit moved from one item to the next changes the digest too.
uint64_t group_digest(const KeyTable& table, int16_t set, int16_t group) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    const auto add = [&hash](std::u16string_view text) {
        for (const char16_t unit : text) {
            hash = (hash ^ unit) * 0x100000001b3ULL;
        }
        hash = (hash ^ 0xFFFFU) * 0x100000001b3ULL;
    };
    for (int32_t item = 0; item < kItemSlots; ++item) {
        add(table.key_caption(set, group, item));
        add(table.key_text(set, group, item));
    }
    return hash;
}

std::string group_name(int16_t set, int16_t group) {
    const auto names =
        split_at_commas(std::u16string_view(set == 1 ? kSet1GroupNames : kSet2GroupNames));
    const std::u16string_view name = names.at(static_cast<size_t>(group));
    std::string utf8;  // every caption is in the Basic Multilingual Plane
    for (const char16_t unit : name) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | (unit >> 6));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (unit >> 12));
            utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

std::string key_of(int16_t set, int16_t group) {
    return std::to_string(set) + " " + std::to_string(group);
}

TEST(BuiltinDigests, EveryItemOfEveryGroupIsAsRecorded) {
    KeyTable table;
    load_builtin_groups(table);
    std::map<std::string, std::string> actual;  // "set group" -> "digest name"
    for (const BuiltinGroup& g : builtin_groups()) {
        std::ostringstream line;
        line << std::hex << group_digest(table, g.set, g.group) << ' '
             << group_name(g.set, g.group);
        actual[key_of(g.set, g.group)] = line.str();
    }
    ASSERT_EQ(actual.size(), 32U);

    if (std::getenv("QUILLARO_WRITE_DIGESTS") != nullptr) {
        std::ofstream out(kDigestFile);
        out << "# set group digest caption: FNV-1a of every item of the group, see "
               "builtin_digest_test.cpp\n";
        for (const BuiltinGroup& g : builtin_groups()) {
            out << key_of(g.set, g.group) << ' ' << actual[key_of(g.set, g.group)] << '\n';
        }
        GTEST_SKIP() << "wrote " << kDigestFile;
    }

    std::ifstream in(kDigestFile);
    ASSERT_TRUE(in) << "cannot read " << kDigestFile;
    std::map<std::string, std::string> recorded;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string set;
        std::string group;
        fields >> set >> group >> std::ws;
        std::getline(fields, recorded[set + " " + group]);
    }
    for (const auto& [where, line] : actual) {
        EXPECT_EQ(line, recorded[where])
            << "set " << where.substr(0, 1) << " group " << where.substr(2) << " ("
            << line.substr(line.find(' ') + 1) << ") differs from its recorded digest";
    }
    EXPECT_EQ(recorded.size(), actual.size());
}

}  // namespace
}  // namespace quillaro
