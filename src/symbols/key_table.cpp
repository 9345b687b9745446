#include "symbols/key_table.h"

#include <algorithm>

namespace quillaro {
namespace {

const std::u16string kEmpty;

void validate(int16_t g, int16_t k) {
    if (g < 0 || g >= kSetSlots) throw LoadError(LoadError::Kind::OutOfRange, "set out of range");
    if (k < 0 || k >= kGroupSlots) {
        throw LoadError(LoadError::Kind::OutOfRange, "group out of range");
    }
}

// Items of a comma list: n commas make n + 1 items, empty ones included; an empty list has none.
size_t count_items(std::u16string_view list) {
    if (list.empty()) return 0;
    return static_cast<size_t>(std::count(list.begin(), list.end(), u',')) + 1;
}

// Calls visit(index, item) for every item in order; the count is checked before this runs,
// so a hostile list of millions of commas is rejected without being materialised.
template <typename Visit>
void for_each_item(std::u16string_view list, Visit visit) {
    if (list.empty()) return;
    size_t start = 0;
    for (int32_t i = 0;; ++i) {
        const size_t comma = list.find(u',', start);
        if (comma == std::u16string_view::npos) {
            visit(i, list.substr(start));
            return;
        }
        visit(i, list.substr(start, comma - start));
        start = comma + 1;
    }
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

const std::u16string& KeyTable::key_str(int16_t set, int16_t group, int32_t item) const {
    const Cell* cell = find(set, group, item);
    return cell != nullptr ? cell->caption : kEmpty;
}

const std::u16string& KeyTable::key_send(int16_t set, int16_t group, int32_t item) const {
    const Cell* cell = find(set, group, item);
    return cell != nullptr ? cell->send : kEmpty;
}

int16_t KeyTable::page_count(int16_t set, int16_t group) const {
    if (set < 0 || set >= kSetSlots || group < 0 || group >= kGroupSlots) return 0;
    return page_counts_[slot(set, group)];
}

KeyTable::Cell& KeyTable::cell_for_store(int16_t g, int16_t k, int32_t item) {
    validate(g, k);
    if (item >= kItemSlots) throw LoadError(LoadError::Kind::OutOfRange, "item out of range");
    std::vector<Cell>& cells = groups_[slot(g, k)];
    const auto index = static_cast<size_t>(item);
    if (index >= cells.size()) cells.resize(index + 1);
    return cells[index];
}

void KeyTable::store_page_count(int16_t g, int16_t k, int32_t items) {
    validate(g, k);
    page_counts_[slot(g, k)] = pages_for(items);
}

void KeyTable::show_send(int16_t g, int16_t k, std::u16string_view str_buf,
                         std::u16string_view str_buf2) {
    if (count_items(str_buf) > kMaxCommaItems) {
        throw LoadError(LoadError::Kind::Overflow, "too many captions");
    }
    for_each_item(str_buf, [&](int32_t i, std::u16string_view item) {
        cell_for_store(g, k, i).caption = item;
    });
    const size_t sends = count_items(str_buf2);
    if (sends > kMaxCommaItems) throw LoadError(LoadError::Kind::Overflow, "too many send strings");
    for_each_item(str_buf2, [&](int32_t i, std::u16string_view item) {
        cell_for_store(g, k, i).send = item;
    });
    store_page_count(g, k, static_cast<int32_t>(sends));
}

void KeyTable::show_send2(int16_t g, int16_t k, std::u16string_view str_buf,
                          std::u16string_view str_buf2) {
    if (str_buf.size() > kMaxCharacters) {
        throw LoadError(LoadError::Kind::Overflow, "caption string too long");
    }
    for (size_t i = 0; i < str_buf.size(); ++i) {
        cell_for_store(g, k, static_cast<int32_t>(i)).caption = str_buf.substr(i, 1);
    }
    if (str_buf2.size() > kMaxCharacters) {
        throw LoadError(LoadError::Kind::Overflow, "send string too long");
    }
    for (size_t i = 0; i < str_buf2.size(); ++i) {
        cell_for_store(g, k, static_cast<int32_t>(i)).send = str_buf2.substr(i, 1);
    }
    store_page_count(g, k, static_cast<int32_t>(str_buf.size()));
}

}  // namespace quillaro
