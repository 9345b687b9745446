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

}  // namespace quillaro
