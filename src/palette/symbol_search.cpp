#include "palette/symbol_search.h"

#include <algorithm>
#include <unordered_map>

#include "palette/key_tooltip.h"
#include "symbols/comma_list.h"
#include "symbols/unicode_names.h"

namespace quillaro {
namespace {

// Names are looked up for the first few characters of an item: a symbol or a short sequence.
// A phrase of a group file is found by its own characters, not by the name of one letter
// somewhere inside it.
constexpr size_t kNamedCodePoints = 4;

constexpr char32_t kLastCodePoint = 0x10FFFF;

constexpr char16_t fold(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}
constexpr char fold(char unit) {
    return unit >= 'A' && unit <= 'Z' ? static_cast<char>(unit - 'A' + 'a') : unit;
}

bool equals_folded(std::u16string_view text, std::u16string_view query) {
    return text.size() == query.size() &&
           std::equal(text.begin(), text.end(), query.begin(),
                      [](char16_t a, char16_t b) { return fold(a) == fold(b); });
}

bool contains_folded(std::u16string_view text, std::u16string_view query) {
    if (query.size() > text.size()) return false;
    const char16_t first = fold(query.front());
    for (size_t at = 0; at + query.size() <= text.size(); ++at) {
        if (fold(text[at]) == first && equals_folded(text.substr(at, query.size()), query)) {
            return true;
        }
    }
    return false;
}

bool contains_code_point(std::u16string_view text, char32_t code_point) {
    CodePoints points(text);
    while (!points.done()) {
        if (points.next() == code_point) return true;
    }
    return false;
}

bool is_only(std::u16string_view text, char32_t code_point) {
    CodePoints points(text);
    return !points.done() && points.next() == code_point && points.done();
}

int hex_digit(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (fold(unit) >= u'a' && fold(unit) <= u'f') return fold(unit) - u'a' + 10;
    return -1;
}

bool is_word_break(char16_t unit) { return unit == u' ' || unit == u'-'; }

// Each word of `words` in turn; words are separated by one or more breaks.
template <typename Visit>
bool all_words(std::u16string_view words, Visit visit) {
    bool any = false;
    size_t at = 0;
    while (at < words.size()) {
        if (is_word_break(words[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < words.size() && !is_word_break(words[end])) ++end;
        if (!visit(words.substr(at, end - at))) return false;
        any = true;
        at = end;
    }
    return any;
}

bool begins_a_word(std::string_view name, std::u16string_view word) {
    for (size_t at = 0; at + word.size() <= name.size(); ++at) {
        if (at > 0 && name[at - 1] != ' ' && name[at - 1] != '-') continue;
        bool same = true;
        for (size_t i = 0; i < word.size() && same; ++i) {
            same = word[i] < 0x80 && fold(static_cast<char>(word[i])) == fold(name[at + i]);
        }
        if (same) return true;
    }
    return false;
}

std::u16string_view trimmed(std::u16string_view query) {
    query = query.substr(0, std::min(query.size(), kMaxQueryUnits));
    // Never half a surrogate pair: the cut one would match items it is not part of.
    if (!query.empty() && query.size() == kMaxQueryUnits && query.back() >= 0xD800 &&
        query.back() <= 0xDBFF) {
        query.remove_suffix(1);
    }
    while (!query.empty() && (query.front() == u' ' || query.front() == u'\t'))
        query.remove_prefix(1);
    while (!query.empty() && (query.back() == u' ' || query.back() == u'\t'))
        query.remove_suffix(1);
    return query;
}

bool is_ascii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

}  // namespace

int32_t queried_code_point(std::u16string_view query) {
    size_t min_digits = 4;
    const bool prefixed = query.size() > 2 && ((fold(query[0]) == u'u' && query[1] == u'+') ||
                                               (query[0] == u'0' && fold(query[1]) == u'x'));
    if (prefixed) {
        query.remove_prefix(2);
        min_digits = 1;
    }
    if (query.size() < min_digits || query.size() > 6) return -1;
    int32_t value = 0;
    for (const char16_t unit : query) {
        const int digit = hex_digit(unit);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value <= static_cast<int32_t>(kLastCodePoint) ? value : -1;
}

bool name_matches_words(std::string_view name, std::u16string_view query_words) {
    if (name.empty()) return false;
    return all_words(query_words,
                     [name](std::u16string_view word) { return begins_a_word(name, word); });
}

struct SymbolSearch::Query {
    std::u16string_view text;
    int32_t code_point = -1;
    bool names = false;  // ASCII, so it may be words of a name
};

void SymbolSearch::index(const KeyTable& table,
                         const std::array<std::u16string, kLastSet>& captions) {
    table_ = nullptr;
    entries_.clear();
    std::unordered_map<std::u16string_view, uint32_t> text_ids;
    for (int16_t set = kFirstSet; set <= kLastSet; ++set) {
        auto& group_captions = group_captions_.at(static_cast<size_t>(set - kFirstSet));
        group_captions = {};
        size_t piece = 0;
        for_each_piece(std::u16string_view(captions.at(static_cast<size_t>(set - kFirstSet))),
                       [&](std::u16string_view caption) {
                           group_captions.at(piece++) = caption;
                           return piece < group_captions.size();
                       });
        for (int16_t group = 0; group < kGroupsPerSet; ++group) {
            const int32_t items =
                std::min<int32_t>(table.page_count(set, group) * kKeysPerPage, kItemSlots);
            for (int32_t item = 0; item < items; ++item) {
                const std::u16string& text = table.key_text(set, group, item);
                if (text.empty()) continue;
                const auto id = text_ids.emplace(text, static_cast<uint32_t>(text_ids.size()));
                entries_.push_back({{set, group, static_cast<int16_t>(item)}, id.first->second});
            }
        }
    }
    text_seen_.assign(text_ids.size(), 0);
    table_ = &table;
}

std::u16string_view SymbolSearch::group_caption(int16_t set, int16_t group) const {
    if (set < kFirstSet || set > kLastSet || group < 0 || group >= kGroupsPerSet) return {};
    return group_captions_.at(static_cast<size_t>(set - kFirstSet)).at(static_cast<size_t>(group));
}

bool SymbolSearch::is_exact(const Entry& entry, const Query& query) const {
    const SymbolPlace& at = entry.place;
    const std::u16string& text = table_->key_text(at.set, at.group, at.item);
    return equals_folded(text, query.text) ||
           equals_folded(table_->key_caption(at.set, at.group, at.item), query.text) ||
           (query.code_point >= 0 && is_only(text, static_cast<char32_t>(query.code_point)));
}

bool SymbolSearch::matches(const Entry& entry, const Query& query) const {
    const SymbolPlace& at = entry.place;
    const auto slot =
        static_cast<size_t>(at.set - kFirstSet) * kGroupsPerSet + static_cast<size_t>(at.group);
    if (group_matches_.at(slot)) {
        return true;
    }
    const std::u16string& text = table_->key_text(at.set, at.group, at.item);
    if (contains_folded(text, query.text) ||
        contains_folded(table_->key_caption(at.set, at.group, at.item), query.text)) {
        return true;
    }
    if (query.code_point >= 0 && contains_code_point(text, static_cast<char32_t>(query.code_point)))
        return true;
    if (!query.names) return false;
    CodePoints points(text);
    for (size_t n = 0; n < kNamedCodePoints && !points.done(); ++n) {
        const char32_t code_point = points.next();
        // Spelling out ideograph names for a whole set of them would cost a query most of its
        // time and find nothing a word query means; the code point form finds them.
        if (has_spelled_name(code_point) &&
            name_matches_words(unicode_name(code_point).text(), query.text)) {
            return true;
        }
    }
    return false;
}

void SymbolSearch::find(std::u16string_view query_text, std::vector<SymbolPlace>& found) {
    found.clear();
    Query query;
    query.text = trimmed(query_text);
    if (table_ == nullptr || query.text.empty()) return;
    query.code_point = queried_code_point(query.text);
    query.names = is_ascii(query.text);
    for (size_t slot = 0; slot < group_matches_.size(); ++slot) {
        const std::u16string& caption =
            group_captions_.at(slot / kGroupsPerSet).at(slot % kGroupsPerSet);
        group_matches_.at(slot) = contains_folded(caption, query.text);
    }
    std::fill(text_seen_.begin(), text_seen_.end(), uint8_t{0});
    const auto take = [&](const Entry& entry) {
        found.push_back(entry.place);
        text_seen_[entry.text_id] = 1;
    };
    for (const Entry& entry : entries_) {
        if (text_seen_[entry.text_id] == 0 && is_exact(entry, query)) take(entry);
    }
    for (const Entry& entry : entries_) {
        if (text_seen_[entry.text_id] == 0 && matches(entry, query)) take(entry);
    }
}

}  // namespace quillaro
