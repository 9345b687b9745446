// A rectangle in pixels: a control in its window's client area, a window on the screen.
#pragma once

namespace quillaro {

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;

    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

}  // namespace quillaro
