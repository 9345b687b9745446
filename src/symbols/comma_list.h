// Comma lists: key captions, send strings and group captions are items separated by ",".
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quillaro {

// Calls visit(piece) for each piece of `list` between commas, in order. Nothing is trimmed and
// empty pieces count: n commas make n + 1 pieces, and an empty list is one empty piece.
// `visit` may return false to stop early; a void visit sees every piece.
template <typename Char, typename Visit>
void for_each_piece(std::basic_string_view<Char> list, Visit visit) {
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(Char{','}, start);
        const auto piece = list.substr(start, comma - start);
        if constexpr (std::is_same_v<decltype(visit(piece)), bool>) {
            if (!visit(piece)) return;
        } else {
            visit(piece);
        }
        if (comma == std::basic_string_view<Char>::npos) return;
        start = comma + 1;
    }
}

// Every piece of `list`, as views into it.
inline std::vector<std::u16string_view> split_at_commas(std::u16string_view list) {
    std::vector<std::u16string_view> pieces;
    for_each_piece(list, [&](std::u16string_view piece) { pieces.push_back(piece); });
    return pieces;
}

}  // namespace quillaro
