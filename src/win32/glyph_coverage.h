// Whether the user would see a key's symbol: drawn with the key's real font, font linking and
// the user's EUDC font included, and told apart from the mark a font draws for a missing symbol.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillaro::win32 {

class GlyphCoverage {
  public:
    GlyphCoverage() = default;
    GlyphCoverage(const GlyphCoverage&) = delete;
    GlyphCoverage& operator=(const GlyphCoverage&) = delete;

    // True when `font` draws at least one visible character of `caption` as something other
    // than the missing-symbol mark, or when the caption has nothing visible to draw. A character
    // the font has is not drawn; one it lacks is drawn once per font, with the font linking
    // that may supply it. After that the answer is a look-up. Answers are kept by font handle:
    // the font cache keeps every font for the program's life.
    bool draws(HFONT font, std::u16string_view caption);

    // How many characters have been drawn to decide, over the program's life.
    [[nodiscard]] size_t drawn_count() const { return drawn_count_; }

  private:
    struct FontCoverage {
        // What no font's symbol looks like; drawn once a character must be drawn.
        std::vector<std::vector<uint8_t>> missing_marks;
        std::unordered_map<char32_t, bool> drawn;
    };
    class Canvas;

    std::map<HFONT, FontCoverage> fonts_;
    size_t drawn_count_ = 0;
};

}  // namespace quillaro::win32
