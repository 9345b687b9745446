// Sets, groups and pages: which 46 items the keys show.
#include <string>
#include <vector>

#include "palette/palette.h"
#include "symbols/builtin_sets.h"
#include "symbols/decimal.h"

namespace quillaro {
namespace {

std::vector<std::u16string_view> split_at_commas(std::u16string_view list) {
    std::vector<std::u16string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(u',', start);
        pieces.push_back(list.substr(start, comma - start));
        if (comma == std::u16string_view::npos) return pieces;
        start = comma + 1;
    }
}

double key_font_size(const std::u16string& caption) {
    switch (caption.size()) {
        case 2:
            return 11.0;
        case 3:
            return 8.0;
        default:
            return 12.0;
    }
}

}  // namespace

void Palette::show_group_names(int16_t set) {
    if (set == 1) {
        group_names = kSet1GroupNames;
    } else if (set == 2) {
        group_names = kSet2GroupNames;
    } else {
        group_names = user_group_caption_list();
    }
    const auto pieces = split_at_commas(group_names);
    for (size_t i = 0; i < group_key.size() && i < pieces.size(); ++i) {
        group_key[i].caption = within_text_limit(pieces[i]);
    }
}

void Palette::group_key_Click(int16_t index) {
    for (auto& group : group_key) {
        group.bold = false;
        group.italic = false;
        group.font_size = 12.0;
    }
    auto& selected = group_key.at(static_cast<size_t>(index));
    selected.bold = true;
    selected.italic = true;
    selected.font_size = 10.0;

    group_no = index;
    page_total = table.page_count(set_no, index);
    page_no = 1;
    cmd_up.enabled = false;
    cmd_down.enabled = page_no < page_total;
    for (size_t k = 0; k < key_button.size(); ++k) {
        const std::u16string& caption = table.key_str(set_no, group_no, static_cast<int32_t>(k));
        key_button[k].caption = within_text_limit(caption);
        key_button[k].font_size = key_font_size(caption);
    }
    write_page_label();
    if (set_no == 3) {
        cmd_up.caption = u"編輯";
        cmd_up.enabled = true;
    }
}

void Palette::cmd_down_Click() {
    ++page_no;
    if (page_no >= table.page_count(set_no, group_no)) cmd_down.enabled = false;
    if (page_no > 1) cmd_up.enabled = true;
    write_page_label();
    show_page_keys();
    if (set_no == 3) cmd_up.caption = u"上頁";
}

void Palette::cmd_up_Click() {
    if (set_no == 3 && page_no == 1) {
        run_edit_command();
        return;
    }
    --page_no;
    if (page_no < 2) cmd_up.enabled = false;
    if (page_no < table.page_count(set_no, group_no)) cmd_down.enabled = true;
    write_page_label();
    show_page_keys();
    if (set_no == 3 && page_no == 1) {
        cmd_up.caption = u"編輯";
        cmd_up.enabled = true;
    }
}

void Palette::cmd_more_Click() {
    cmd_up.caption = u"上頁";
    ++set_no;
    if (set_no > set_count) set_no = 1;
    show_group_names(set_no);
    group_key_Click(0);
}

void Palette::cmd_about_Click() { desktop_.open_about(); }

int32_t Palette::item_under_key(int16_t index) const {
    return kKeysPerPage * (page_no - 1) + index;
}

// Captions only: key font sizes stay as the last group selection set them.
void Palette::show_page_keys() {
    for (size_t k = 0; k < key_button.size(); ++k) {
        key_button[k].caption = within_text_limit(
            table.key_str(set_no, group_no, item_under_key(static_cast<int16_t>(k))));
    }
}

void Palette::write_page_label() {
    page_show.caption =
        decimal(page_no) + u"/" + decimal(table.page_count(set_no, group_no)) + u"頁";
}

}  // namespace quillaro
