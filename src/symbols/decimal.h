#pragma once

#include <string>

namespace quillaro {

// A number in decimal digits, with a sign only when negative and no padding.
inline std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace quillaro
