// What the palette should show, worked out from the portable core: the layout table in pixels
// at the window's DPI, and the built-in sets as the key table holds them.
#pragma once

#include <windows.h>

#include <string>

#include "palette/layout.h"
#include "symbols/key_table.h"

namespace e2e::cases {

// The key table after the built-in groups are loaded (sets 1 and 2).
const quillaro::KeyTable& builtin_table();

std::wstring to_wide(std::u16string_view text);

// A layout rectangle in client pixels at `dpi`, edges rounded as the palette rounds them.
RECT layout_pixels(const quillaro::Twips& twips, int dpi);

}  // namespace e2e::cases
