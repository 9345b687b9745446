// Text that must fit a box: the largest of a face's sizes, down to a floor, whose text fits.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "win32/font_cache.h"

namespace quillaro::win32 {

struct FitRequest {
    FontFace face;
    double largest_points;
    double smallest_points;
    int dpi;
    int width;  // pixels the text may take
    bool bold = false;

    auto key() const { return std::tuple(face, largest_points, smallest_points, dpi, width, bold); }
};

// Measured in `dc`, whose selected font is left as it was. Sizes go down a pixel at 96 dpi at a
// time (0.75 pt), and few of them are tried, so only a few fonts are ever made; the smallest
// size when none fits.
HFONT fitting_font(HDC dc, FontCache& fonts, const FitRequest& request, std::u16string_view text);

// The same, measured once per request and text: a page of keys or labels seen before costs a
// look-up each.
class FittingFonts {
  public:
    explicit FittingFonts(FontCache& fonts) : fonts_(fonts) {}
    HFONT get(HDC dc, const FitRequest& request, const std::u16string& text);

  private:
    using Key = std::tuple<decltype(FitRequest{}.key()), std::u16string>;
    FontCache& fonts_;
    std::map<Key, HFONT> fitted_;
};

}  // namespace quillaro::win32
