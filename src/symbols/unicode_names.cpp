#include "symbols/unicode_names.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace quillaro {
namespace {

using namespace std::string_view_literals;

struct NameEntry {
    uint32_t code_point;
    uint32_t offset;  // chunk << 16 | start within the chunk
};

struct CodeRange {
    uint32_t first;
    uint32_t last;
};

#include "symbols/unicode_names_data.inc"

bool in_ranges(std::span<const CodeRange> ranges, char32_t code_point) {
    return std::any_of(ranges.begin(), ranges.end(), [code_point](const CodeRange& r) {
        return r.first <= code_point && code_point <= r.last;
    });
}

std::string_view stored_name(const NameEntry& entry) {
    const std::string_view rest = kNameChunks[entry.offset >> 16].substr(entry.offset & 0xFFFF);
    return rest.substr(0, rest.find('\0'));
}

// "CJK UNIFIED IDEOGRAPH-4E00": the prefix, then at least four upper-case hex digits.
void spell_ideograph(std::string_view prefix, char32_t code_point, std::span<char> out,
                     uint8_t& length) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::array<char, 8> digits{};
    size_t count = 0;
    for (char32_t rest = code_point; rest != 0 || count < 4; rest >>= 4) {
        digits[count++] = kHex[rest & 0xF];
    }
    std::copy(prefix.begin(), prefix.end(), out.begin());
    size_t at = prefix.size();
    while (count > 0) out[at++] = digits[--count];
    length = static_cast<uint8_t>(at);
}

}  // namespace

UnicodeName unicode_name(char32_t code_point) {
    UnicodeName name;
    // Ideographs come first: their ranges are few, and 0x110000 and up match none of them.
    if (in_ranges(kUnifiedIdeographs, code_point)) {
        spell_ideograph("CJK UNIFIED IDEOGRAPH-", code_point, name.computed_, name.length_);
        return name;
    }
    if (in_ranges(kCompatibilityIdeographs, code_point)) {
        spell_ideograph("CJK COMPATIBILITY IDEOGRAPH-", code_point, name.computed_, name.length_);
        return name;
    }
    const std::span<const NameEntry> entries(kNameEntries);
    const auto found = std::lower_bound(
        entries.begin(), entries.end(), code_point,
        [](const NameEntry& entry, char32_t wanted) { return entry.code_point < wanted; });
    if (found == entries.end() || found->code_point != code_point) return name;
    const std::string_view text = stored_name(*found);
    name.stored_ = text.data();
    name.length_ = static_cast<uint8_t>(text.size());
    return name;
}

}  // namespace quillaro
