#include "palette/search_results.h"

#include "palette/text_limit.h"

namespace quillaro {

void SearchResults::index(const KeyTable& table,
                          const std::array<std::u16string, SymbolSearch::kLastSet>& captions) {
    search_.index(table, captions);
    if (!showing_recent_) {
        search_.find(query_, found_);
        ++generation_;
    }
}

void SearchResults::show_recent(const RecentSymbols& recent) {
    recent_ = recent.entries();
    query_.clear();
    showing_recent_ = true;
    ++generation_;
}

void SearchResults::show_found(std::u16string_view query) {
    query_ = query;
    search_.find(query_, found_);
    showing_recent_ = false;
    ++generation_;
}

SearchResults::Item SearchResults::at(size_t position) const {
    if (position >= size()) return {};
    if (showing_recent_) {
        const RecentSymbol& recent = recent_[position];
        return {recent.caption, recent.text, {}};
    }
    // Not indexed: an index ran out of memory halfway.
    if (search_.table() == nullptr) return {};
    const SymbolPlace& place = found_[position];
    const KeyTable& table = *search_.table();
    return {within_text_limit(table.key_caption(place.set, place.group, place.item)),
            within_text_limit(table.key_text(place.set, place.group, place.item)), place};
}

}  // namespace quillaro
