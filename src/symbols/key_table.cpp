#include "symbols/key_table.h"

#include <algorithm>
#include <utility>

#include "symbols/comma_list.h"

namespace quillaro {
namespace {

const std::u16string kEmpty;

void validate(int16_t set, int16_t group) {
    if (set < 0 || set >= kSetSlots)
        throw LoadError(LoadError::Kind::OutOfRange, "set out of range");
    if (group < 0 || group >= kGroupSlots) {
        throw LoadError(LoadError::Kind::OutOfRange, "group out of range");
    }
}

// Items of a comma list: n commas make n + 1 items, empty ones included; an empty list has none.
size_t count_items(std::u16string_view list) {
    if (list.empty()) return 0;
    return static_cast<size_t>(std::count(list.begin(), list.end(), u',')) + 1;
}

// Calls visit(index, item) for every item in order; an empty list has no items. The count is
// checked before this runs, so a hostile list of millions of commas is rejected without being
// materialised.
template <typename Visit>
void for_each_item(std::u16string_view list, Visit visit) {
    if (list.empty()) return;
    int32_t index = 0;
    for_each_piece(list, [&](std::u16string_view item) { visit(index++, item); });
}

// Item counts are 16-bit: the highest index of a comma list must fit, and so must a
// one-per-character string's length.
constexpr size_t kMaxCommaItems = 32768;
constexpr size_t kMaxCharacters = 32767;

}  // namespace

const KeyTable::Cell* KeyTable::find(int16_t set, int16_t group, int32_t item) const {
    if (set < 0 || set >= kSetSlots || group < 0 || group >= kGroupSlots || item < 0 ||
        item >= kItemSlots) {
        return nullptr;
    }
    const std::vector<Cell>& cells = groups_[slot(set, group)];
    const auto index = static_cast<size_t>(item);
    return index < cells.size() ? &cells[index] : nullptr;
}

const std::u16string& KeyTable::key_caption(int16_t set, int16_t group, int32_t item) const {
    const Cell* cell = find(set, group, item);
    return cell != nullptr ? cell->caption : kEmpty;
}

const std::u16string& KeyTable::key_text(int16_t set, int16_t group, int32_t item) const {
    const Cell* cell = find(set, group, item);
    return cell != nullptr ? cell->text : kEmpty;
}

int16_t KeyTable::page_count(int16_t set, int16_t group) const {
    if (set < 0 || set >= kSetSlots || group < 0 || group >= kGroupSlots) return 0;
    return page_counts_[slot(set, group)];
}

KeyTable::Cell& KeyTable::cell_for_store(int16_t set, int16_t group, int32_t item) {
    validate(set, group);
    if (item >= kItemSlots) throw LoadError(LoadError::Kind::OutOfRange, "item out of range");
    std::vector<Cell>& cells = groups_[slot(set, group)];
    const auto index = static_cast<size_t>(item);
    if (index >= cells.size()) cells.resize(index + 1);
    return cells[index];
}

void KeyTable::store_page_count(int16_t set, int16_t group, int32_t items) {
    validate(set, group);
    page_counts_[slot(set, group)] = pages_for(items);
}

void KeyTable::load_comma_lists(int16_t set, int16_t group, std::u16string_view captions,
                                std::u16string_view texts) {
    if (count_items(captions) > kMaxCommaItems) {
        throw LoadError(LoadError::Kind::Overflow, "too many captions");
    }
    for_each_item(captions, [&](int32_t i, std::u16string_view item) {
        cell_for_store(set, group, i).caption = item;
    });
    const size_t text_count = count_items(texts);
    if (text_count > kMaxCommaItems)
        throw LoadError(LoadError::Kind::Overflow, "too many send strings");
    for_each_item(texts, [&](int32_t i, std::u16string_view item) {
        cell_for_store(set, group, i).text = item;
    });
    store_page_count(set, group, static_cast<int32_t>(text_count));
}

void KeyTable::load_per_character(int16_t set, int16_t group, std::u16string_view captions,
                                  std::u16string_view texts) {
    if (captions.size() > kMaxCharacters) {
        throw LoadError(LoadError::Kind::Overflow, "caption string too long");
    }
    for (size_t i = 0; i < captions.size(); ++i) {
        cell_for_store(set, group, static_cast<int32_t>(i)).caption = captions.substr(i, 1);
    }
    if (texts.size() > kMaxCharacters) {
        throw LoadError(LoadError::Kind::Overflow, "send string too long");
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        cell_for_store(set, group, static_cast<int32_t>(i)).text = texts.substr(i, 1);
    }
    store_page_count(set, group, static_cast<int32_t>(captions.size()));
}

void KeyTable::replace_set(int16_t set, KeyTable& from) noexcept {
    if (set < 0 || set >= kSetSlots) return;
    for (int16_t group = 0; group < kGroupSlots; ++group) {
        const size_t at = slot(set, group);
        groups_[at] = std::move(from.groups_[at]);
        from.groups_[at].clear();
        page_counts_[at] = std::exchange(from.page_counts_[at], int16_t{0});
    }
}

}  // namespace quillaro
