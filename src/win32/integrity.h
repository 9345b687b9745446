// Whether Windows lets the palette's synthesised keys reach another program.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

// True when the program of `window` runs at a higher integrity level than this one (an
// application run as administrator): Windows then drops the keys typed into it, yet reports
// them sent. A program that cannot be asked counts as higher. False for no window at all.
bool runs_above_us(HWND window);

}  // namespace quillaro::win32
