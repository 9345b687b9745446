// The text of the about window.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillaro {

// One piece of the about text and the number of CR LF line breaks that follow it.
struct AboutPiece {
    std::u16string_view text;
    int line_breaks;
};

// The 21 pieces in the order the window shows them.
std::span<const AboutPiece> about_pieces();

// The whole about and usage text, its lines joined and ended by CR LF.
std::u16string about_text();

}  // namespace quillaro
