// Sets, groups and pages: which 46 items the keys show.
#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "palette/palette.h"
#include "symbols/builtin_sets.h"
#include "symbols/comma_list.h"
#include "symbols/decimal.h"

namespace quillaro {
double Palette::key_font_size(std::u16string_view caption) {
    switch (caption.size()) {
        case 2:
            return 11.0;
        case 3:
            return 8.0;
        default:
            return 12.0;
    }
}

void Palette::show_group_captions(int16_t shown_set) {
    if (shown_set == 1) {
        group_captions = kSet1GroupNames;
    } else if (shown_set == 2) {
        group_captions = kSet2GroupNames;
    } else {
        try {
            group_captions = user_group_caption_list();
            last_user_captions_ = group_captions;
        } catch (const std::bad_alloc&) {
            // Out of memory while reading the files: the captions read last time.
            group_captions = last_user_captions_;
        }
    }
    show_caption_pieces();
}

void Palette::show_caption_pieces() {
    const auto pieces = split_at_commas(group_captions);
    for (size_t i = 0; i < group_buttons.size() && i < pieces.size(); ++i) {
        group_buttons[i].caption = within_text_limit(pieces[i]);
    }
}

// Bold and italic for the selected group; `index` -1 marks none.
void Palette::mark_selected_group(int16_t index) {
    for (auto& button : group_buttons) {
        button.bold = false;
        button.italic = false;
        button.font_size = 12.0;
    }
    if (index < 0) return;
    auto& selected = group_buttons.at(static_cast<size_t>(index));
    selected.bold = true;
    selected.italic = true;
    selected.font_size = 10.0;
}

void Palette::select_group(int16_t index) {
    end_search();
    mark_selected_group(index);
    group = index;
    page = 1;
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::u16string& caption = table.key_caption(set, group, static_cast<int32_t>(k));
        keys[k].caption = within_text_limit(caption);
        keys[k].font_size = key_font_size(caption);
    }
    refresh_paging();
}

// The keys show the selected group and page again (after set 3 was read again, or a search):
// the page stays where the group still has it. Everything else follows as if the group had
// been selected and paged to that page: key fonts from page 1's captions, the label and both
// paging buttons.
void Palette::show_position() {
    if (page > std::max<int16_t>(table.page_count(set, group), 1)) page = 1;
    for (size_t k = 0; k < keys.size(); ++k) {
        keys[k].font_size = key_font_size(table.key_caption(set, group, static_cast<int32_t>(k)));
    }
    show_page_keys();
    refresh_paging();
}

void Palette::next_page() {
    if (searching) {
        ++search_page;
        show_search_page();
        return;
    }
    ++page;
    show_page_keys();
    refresh_paging();
}

void Palette::previous_page_or_edit() {
    if (searching) {
        if (search_page > 1) --search_page;
        show_search_page();
        return;
    }
    if (set == kUserSet && page == 1) {
        run_edit_command();
        return;
    }
    --page;
    show_page_keys();
    refresh_paging();
}

void Palette::next_set() {
    ++set;
    if (set > kSetCount) set = 1;
    show_group_captions(set);
    select_group(0);
}

void Palette::open_about() { desktop_.notices.open_about(); }

int32_t Palette::item_under_key(int16_t index) const { return kKeysPerPage * (page - 1) + index; }

// Captions only: key font sizes stay as the last group selection set them.
void Palette::show_page_keys() {
    for (size_t k = 0; k < keys.size(); ++k) {
        keys[k].caption = within_text_limit(
            table.key_caption(set, group, item_under_key(static_cast<int16_t>(k))));
    }
}

// Everything that follows from where the palette stands among the group's pages, worked out
// in one place: the label, and both paging buttons. On page 1 of a set-3 group the page-up
// button is the edit command.
// While searching, the pages are those of the results, and 上頁 is never 編輯.
void Palette::refresh_paging() {
    int16_t shown_page = page;
    int16_t shown_pages = 0;
    if (searching) {
        shown_page = search_page;
        shown_pages = pages_for(static_cast<int32_t>(results_.size()));
    } else {
        page_count = table.page_count(set, group);
        shown_pages = page_count;
    }
    page_label.caption = decimal(shown_page) + u"/" + decimal(shown_pages) + u"頁";
    const bool edit = !searching && set == kUserSet && page == 1;
    page_up_button.caption = edit ? u"編輯" : u"上頁";
    page_up_button.enabled = edit || shown_page > 1;
    page_down_button.enabled = shown_page < shown_pages;
}

}  // namespace quillaro
