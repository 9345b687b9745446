#include "symbols/item_notation.h"

#include <string_view>

namespace quillaro::notation {
namespace {

size_t items_in(const Entry& entry) {
    switch (entry.kind) {
        case Entry::Kind::Run:
            return static_cast<size_t>(entry.last - entry.first) + 1;
        case Entry::Kind::Repeat:
            return entry.times;
        case Entry::Kind::Several:
            return 1;
    }
    return 0;
}

size_t chars_in(const Entry& entry) {
    switch (entry.kind) {
        case Entry::Kind::Run:
            return items_in(entry);
        case Entry::Kind::Repeat:
            return static_cast<size_t>(entry.times) * entry.length;
        case Entry::Kind::Several:
            return entry.length;
    }
    return 0;
}

}  // namespace

std::u16string expand(Loader loader, std::initializer_list<Entry> entries) {
    const bool commas = loader == Loader::CommaList;
    size_t items = 0;
    size_t chars = 0;
    for (const Entry& entry : entries) {
        items += items_in(entry);
        chars += chars_in(entry);
    }
    std::u16string out;
    out.reserve(chars + (commas && items > 0 ? items - 1 : 0));

    bool first_item = true;
    const auto add_item = [&](std::u16string_view item) {
        if (commas && !first_item) out += u',';
        out += item;
        first_item = false;
    };
    for (const Entry& entry : entries) {
        switch (entry.kind) {
            case Entry::Kind::Run:
                for (char32_t c = entry.first; c <= entry.last; ++c) {
                    const auto unit = static_cast<char16_t>(c);
                    add_item({&unit, 1});
                }
                break;
            case Entry::Kind::Repeat:
                for (int i = 0; i < entry.times; ++i) add_item({entry.text.data(), entry.length});
                break;
            case Entry::Kind::Several:
                add_item({entry.text.data(), entry.length});
                break;
        }
    }
    return out;
}

}  // namespace quillaro::notation
