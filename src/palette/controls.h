// Plain-data controls: the properties the handlers set, copied to real windows by the Win32 layer.
#pragma once

#include <string>

namespace quillaro {

struct ButtonControl {
    std::u16string caption;
    bool enabled = true;
    bool bold = false;
    bool italic = false;
    double font_size = 12.0;  // points

    bool operator==(const ButtonControl&) const = default;
};

struct LabelControl {
    std::u16string caption;

    bool operator==(const LabelControl&) const = default;
};

struct TextControl {
    std::u16string text;

    bool operator==(const TextControl&) const = default;
};

}  // namespace quillaro
