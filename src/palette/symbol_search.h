// Finding symbols by what the user types: the characters themselves, a code point, a group
// caption or words of a character's English Unicode name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "symbols/key_table.h"

namespace quillaro {

// Where a found item stands in the key table.
struct SymbolPlace {
    int16_t set = 0;
    int16_t group = 0;
    int16_t item = 0;

    bool operator==(const SymbolPlace&) const = default;
};

// The most UTF-16 units of a query that count; the search box takes no more.
inline constexpr size_t kMaxQueryUnits = 64;

// The code point a query names: "U+203B", "u+203b", "0x203B" (1 to 6 digits after the prefix)
// or 4 to 6 hexadecimal digits alone. None (-1) for anything else or a value past U+10FFFF.
int32_t queried_code_point(std::u16string_view query);

// True when every word of `query_words` (ASCII, separated by spaces or hyphens) begins a word
// of `name`, ignoring ASCII case; "upwards arr" matches "UPWARDS ARROW WITH TIP LEFTWARDS".
// False for a query without words.
bool name_matches_words(std::string_view name, std::u16string_view query_words);

class SymbolSearch {
  public:
    static constexpr int16_t kFirstSet = 1;
    static constexpr int16_t kLastSet = 3;
    static constexpr int16_t kGroupsPerSet = 16;

    // Takes in every item of sets 1 to 3 that types something, and each set's group captions
    // (comma-joined, as the group buttons show them). Holds on to `table`: index it again
    // whenever the table changes.
    void index(const KeyTable& table, const std::array<std::u16string, kLastSet>& captions);
    [[nodiscard]] bool indexed() const { return table_ != nullptr; }
    [[nodiscard]] const KeyTable* table() const { return table_; }

    // Fills `found` with the items matching the query (its first kMaxQueryUnits units, without
    // spaces at either end): those whose text or caption equals the query first, then the rest
    // in table order, each text once. Reuses `found`'s storage: no allocation once it has
    // grown to hold the results.
    void find(std::u16string_view query_text, std::vector<SymbolPlace>& found);

    // A group's caption as its button shows it; empty outside the indexed sets.
    [[nodiscard]] std::u16string_view group_caption(int16_t set, int16_t group) const;

  private:
    struct Entry {
        SymbolPlace place;
        uint32_t text_id = 0;  // the same for items that type the same text
    };
    struct Query;
    [[nodiscard]] bool matches(const Entry& entry, const Query& query) const;
    [[nodiscard]] bool is_exact(const Entry& entry, const Query& query) const;

    const KeyTable* table_ = nullptr;
    std::vector<Entry> entries_;
    std::array<std::array<std::u16string, kGroupsPerSet>, kLastSet> group_captions_;
    std::vector<uint8_t> text_seen_;  // per text_id, during one find()
    std::array<bool, size_t{kLastSet} * kGroupsPerSet> group_matches_{};
};

}  // namespace quillaro
