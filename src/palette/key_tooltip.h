// What a key tells about itself beyond its caption: the code points it shows and types, for a
// key tooltip and for a key whose symbol no installed font draws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillaro {

// The code points of `text`, one after another; a surrogate pair is one code point, a lone
// surrogate stands for itself.
class CodePoints {
  public:
    explicit CodePoints(std::u16string_view text) : text_(text) {}
    [[nodiscard]] bool done() const { return at_ >= text_.size(); }
    char32_t next();

  private:
    std::u16string_view text_;
    size_t at_ = 0;
};

// Upper-case hexadecimal, at least four digits: "E90C", "0020", "1F600".
std::u16string hex_code_point(char32_t code_point);

// A character that draws nothing in any font (spaces, joiners, controls): drawing it shows
// nothing, so there is nothing to tell apart from a missing symbol.
bool draws_blank(char32_t code_point);

// What a key shows in place of a caption no font draws: its first visible code point in
// hexadecimal, and whether the caption holds more characters ("E90C", "E90C…").
struct CodePointCaption {
    std::u16string digits;  // empty when the caption has nothing visible
    bool several = false;

    // "E90C…" on one line, or with `line_break` the "…" on a line of its own.
    [[nodiscard]] std::u16string text(bool line_break = false) const;
};
CodePointCaption code_point_caption(std::u16string_view caption);

// "U+E90C U+E90D": the first `shown` code points of `text`, then "…" if there are more.
inline constexpr size_t kTooltipCodePoints = 4;
std::u16string code_point_list(std::u16string_view text, size_t shown = kTooltipCodePoints);

// A long caption (a user's phrase) by its start and "…", never half a surrogate pair.
std::u16string caption_start(std::u16string_view caption);

// A key's tooltip: its caption, the code points it types and, in the user's set, the group
// file it comes from, one to a line. Empty for a key that shows and types nothing.
std::u16string key_tooltip_text(std::u16string_view caption, std::u16string_view send, int16_t set,
                                int16_t group);

}  // namespace quillaro
