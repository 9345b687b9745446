// Text that must fit a box: the largest of a face's sizes, down to a floor, whose text fits.
#pragma once

#include <windows.h>

#include <string_view>

#include "win32/font_cache.h"

namespace quillaro::win32 {

struct FitRequest {
    FontFace face;
    double largest_points;
    double smallest_points;
    int dpi;
    int width;  // pixels the text may take
    bool bold = false;
};

// Measured in `dc`, whose selected font is left as it was. Sizes go down a pixel at 96 dpi at a
// time (0.75 pt), so only a few fonts are ever made; the smallest size when none fits.
HFONT fitting_font(HDC dc, FontCache& fonts, const FitRequest& request, std::u16string_view text);

}  // namespace quillaro::win32
