// The symbols the user typed lately, most recent first, and the form in which the window layer
// keeps them per user (a REG_BINARY value).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "palette/text_limit.h"

namespace quillaro {

struct RecentSymbol {
    std::u16string caption;
    std::u16string text;
    bool operator==(const RecentSymbol&) const = default;
};

// Stored form: the UTF-16LE bytes of
//
//   Quillaro recent 1\n
//   <entry count>\n
//   <caption length> <text length>:<caption units><text units>\n     (once per entry)
//
// Counts and lengths are decimal ASCII digits without leading zeros; lengths are in UTF-16
// units, so a caption or text may hold any unit at all (commas, newlines, NUL, lone
// surrogates). The entry count makes a value cut short anywhere unreadable, even between
// entries. Reading is strict: any deviation (odd byte count, another header or version, a
// number out of range, a length beyond kMaxTextUnits or the data, an empty text, a missing
// separator, bytes after the last entry, more than kMaxEntries entries, two entries with the
// same text) gives an empty list, never a partial one.
inline constexpr std::u16string_view kRecentStoredHeader = u"Quillaro recent 1\n";

class RecentSymbols {
  public:
    static constexpr size_t kMaxEntries = 46;  // one page of keys

    // To the front; an entry with the same text leaves its old place; the oldest beyond
    // kMaxEntries goes. An empty text is ignored. Caption and text are cut to the text limit.
    void add(std::u16string_view caption, std::u16string_view text);
    void clear() { entries_.clear(); }
    [[nodiscard]] const std::vector<RecentSymbol>& entries() const { return entries_; }

    [[nodiscard]] std::string to_stored() const;
    // Corrupt or larger than kMaxStoredBytes: an empty list.
    [[nodiscard]] static RecentSymbols from_stored(std::string_view bytes);

    static constexpr size_t kMaxCountDigits = 2;   // "46"
    static constexpr size_t kMaxLengthDigits = 4;  // "1024"
    // A full list of the longest captions and texts, with every separator.
    static constexpr size_t kMaxStoredBytes =
        2 * (kRecentStoredHeader.size() + kMaxCountDigits + 1 +
             kMaxEntries * (2 * kMaxLengthDigits + 3 + 2 * kMaxTextUnits));

  private:
    std::vector<RecentSymbol> entries_;
};

static_assert(RecentSymbols::kMaxEntries < 100 && kMaxTextUnits < 10'000,
              "the digit counts of the stored form's bound");

}  // namespace quillaro
