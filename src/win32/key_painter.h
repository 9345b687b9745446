// Painting of the owner-drawn buttons, the keys and the group buttons: a standard button's
// look (themed where visual styles are on), the caption in the font the palette asks for, and
// the key's code point instead where no installed font draws its symbol.
#pragma once

#include <windows.h>

#include "palette/controls.h"
#include "palette/layout.h"
#include "win32/fitted_text.h"
#include "win32/font_cache.h"
#include "win32/glyph_coverage.h"
#include "win32/theme.h"

namespace quillaro::win32 {

class KeyPainter {
  public:
    explicit KeyPainter(FontCache& fonts) : fonts_(fonts) {}

    // Paints `item` of `owner` as `state` says; `face` is the control's face in the layout.
    void draw(HWND owner, const DRAWITEMSTRUCT& item, const ButtonControl& state, FontFace face,
              bool is_key, int dpi);
    // The mouse entered (`hot`) or left `button`. True when it has just entered: the caller
    // then asks to be told when it leaves, to draw the button plain again.
    bool track_hot(HWND button, bool hot);
    // `button` is going away.
    void forget(HWND button);
    // The theme's parts are made for one theme and one DPI: opened again at the next paint.
    void close_theme() { theme_.close(); }

  private:
    static bool high_contrast_on();
    bool draw_code_point_caption(HDC dc, const RECT& rect, HFONT font, const ButtonControl& key,
                                 int dpi);

    FontCache& fonts_;
    ButtonTheme theme_;
    GlyphCoverage glyph_coverage_;
    FittingFonts fitting_fonts_{fonts_};
    HWND hot_button_ = nullptr;  // the button under the mouse
};

}  // namespace quillaro::win32
