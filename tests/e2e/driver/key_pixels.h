// What a palette key shows on the screen: its pixels, read back from the display, and the ink
// (the dark pixels of its symbol) inside its border.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct KeyPixels {
    std::vector<uint32_t> pixels;  // the key's client area, row by row, 0x00RRGGBB
    int width = 0;
    int height = 0;

    bool operator==(const KeyPixels& other) const { return pixels == other.pixels; }
    // Rows from the topmost to the lowest dark pixel inside the border; 0 when there is none.
    [[nodiscard]] int ink_height() const;
    // The rightmost column with a dark pixel, counted from the left edge; -1 when none.
    [[nodiscard]] int last_ink_column(int right_limit) const;

  private:
    [[nodiscard]] bool dark(uint32_t pixel) const;
    mutable int face_ = -1;  // the brightness of the key's face, found when first needed
};

// The key as the screen shows it now; empty when it cannot be read.
KeyPixels read_key_pixels(HWND key);

// The text the palette's tooltip control holds for `key` (TTM_GETTEXT, through the palette's
// memory); nothing when there is no tooltip control or it does not answer.
std::optional<std::wstring> tooltip_text(HWND palette_window, HWND key);
// The palette's tooltip control for its keys, or nullptr.
HWND tooltip_window(HWND palette_window);

}  // namespace e2e
