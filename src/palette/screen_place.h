// Where the palette opens: its saved or designed place, kept wholly on a monitor.
#pragma once

#include <span>

namespace quillaro {

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;

    [[nodiscard]] constexpr int width() const { return right - left; }
    [[nodiscard]] constexpr int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// `window` as it opens on screens whose monitors' work areas are `work_areas` (virtual-screen
// pixels). A window wholly inside one work area stays where it is. Any other (its monitor
// unplugged, the resolution lowered, dragged half off the screen) moves the shortest way into
// the work area it overlaps most, or the nearest one when it overlaps none, until it is wholly
// visible; a window larger than that area keeps its top-left corner on it. Without any work
// area the window is left alone.
ScreenRect place_on_screen(const ScreenRect& window, std::span<const ScreenRect> work_areas);

}  // namespace quillaro
