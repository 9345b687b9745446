// Where the palette opens: its saved or designed place, kept wholly on a monitor.
#pragma once

#include <span>

#include "palette/pixel_rect.h"

namespace quillaro {

// `window` as it opens on screens whose monitors' work areas are `work_areas` (virtual-screen
// pixels). A window wholly inside one work area stays where it is. Any other (its monitor
// unplugged, the resolution lowered, dragged half off the screen) moves the shortest way into
// the work area it overlaps most, or the nearest one when it overlaps none, until it is wholly
// visible; a window larger than that area keeps its top-left corner on it. Without any work
// area the window is left alone.
PixelRect place_on_screen(const PixelRect& window, std::span<const PixelRect> work_areas);

// Where a key's tip of `width` by `height` stands for a pointer at (`x`, `y`) whose cursor is
// `cursor_height` tall: below the pointer as the system's tips stand, above it where the work
// area ends, and moved in from the work area's sides so that none of it is cut off.
PixelRect place_tip(int x, int y, int cursor_height, int width, int height,
                    const PixelRect& work_area);

}  // namespace quillaro
