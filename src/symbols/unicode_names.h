// English character names for tooltips and search, from a table built into the program.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quillaro {

// The English Unicode name of a character, in upper case as Unicode writes it.
class UnicodeName {
  public:
    UnicodeName() = default;

    // Empty: the table has no name for the character.
    [[nodiscard]] std::string_view text() const {
        return {stored_ != nullptr ? stored_ : computed_.data(), length_};
    }

  private:
    friend UnicodeName unicode_name(char32_t code_point);

    // Stored names point into the static table; ideograph names are spelled into computed_,
    // which copies with the object, so text() of a copy never points into the original.
    const char* stored_ = nullptr;
    uint8_t length_ = 0;
    std::array<char, 40> computed_{};
};

// Private use, surrogates, values past U+10FFFF and characters outside the table's blocks
// give an empty name. Never allocates.
UnicodeName unicode_name(char32_t code_point);

// False for ideographs, which are named by their code points alone ("CJK UNIFIED
// IDEOGRAPH-4E00"): the name tells nothing the character's code point does not.
constexpr bool has_spelled_name(char32_t code_point) {
    return !(code_point >= 0x3400 && code_point <= 0x9FFF) &&
           !(code_point >= 0xF900 && code_point <= 0xFAFF) && code_point < 0x20000;
}

}  // namespace quillaro
