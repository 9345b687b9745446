// The search box: what the keys show while the user searches, and how the search ends.
#include <algorithm>

#include "palette/palette.h"
#include "symbols/builtin_sets.h"

namespace quillaro {

void Palette::index_for_search() {
    results_.index(table, {kSet1GroupNames, kSet2GroupNames, last_user_captions_});
}

// Every time the box gets the focus (a click, the hotkey, Tab): a fresh search.
void Palette::begin_search() {
    // Made at the first search, not at start-up, which it would only slow down.
    if (!results_.indexed()) index_for_search();
    searching = true;
    search_page = 1;
    preview.text.clear();
    mark_selected_group(-1);
    results_.show_recent(recent);
    show_search_page();
}

void Palette::search_for(std::u16string_view query) {
    if (!searching) begin_search();
    preview.text = query.substr(0, std::min(query.size(), kMaxQueryUnits));
    if (preview.text.empty()) {
        results_.show_recent(recent);
    } else {
        results_.show_found(preview.text);
    }
    search_page = 1;
    show_search_page();
}

void Palette::send_first_result() {
    if (searching && results_.size() > 0) send_key(kFirstResult);
}

void Palette::escape_search() {
    if (searching) {
        end_search();
        mark_selected_group(group);
        show_position();
    }
    desktop_.input.set_foreground_window(target);
}

// Leaves the search without showing anything: the caller shows what comes next.
void Palette::end_search() {
    if (!searching) return;
    searching = false;
    preview.text.clear();
}

void Palette::clear_recent() {
    recent.clear();
    ++recent_changes;
    if (searching && preview.text.empty()) {
        results_.show_recent(recent);
        search_page = 1;
        show_search_page();
    }
}

void Palette::show_search_page() {
    const auto pages = static_cast<int16_t>(
        std::max<int16_t>(pages_for(static_cast<int32_t>(results_.size())), 1));
    search_page = std::clamp<int16_t>(search_page, 1, pages);
    for (size_t k = 0; k < keys.size(); ++k) {
        const SearchResults::Item item = shown_under_key(static_cast<int16_t>(k));
        keys[k].caption = item.caption;
        keys[k].font_size = key_font_size(item.caption);
    }
    refresh_paging();
}

std::array<uint32_t, 4> Palette::key_view() const {
    const auto number = [](int16_t value) { return static_cast<uint32_t>(value); };
    return {number(set), number(group), number(page),
            searching ? results_.generation() * 64 + number(search_page) : 0};
}

SearchResults::Item Palette::shown_under_key(int16_t index) const {
    if (searching) {
        const int32_t position =
            index == kFirstResult ? 0 : kKeysPerPage * (search_page - 1) + index;
        return results_.at(static_cast<size_t>(position));
    }
    const int32_t item = item_under_key(index);
    return {within_text_limit(table.key_caption(set, group, item)),
            within_text_limit(table.key_text(set, group, item)),
            {set, group, static_cast<int16_t>(item)}};
}

}  // namespace quillaro
