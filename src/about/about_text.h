// The text of the about window.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillaro {

inline constexpr const char16_t* kAboutTitle = u"關於Quillaro符號輸入小工具 及 簡略說明";

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
