// The DPI a window is shown at, and points or twips at that DPI.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

int window_dpi(HWND window);

// Sizes the window so that its client area is `width` x `height` pixels.
RECT window_rect_for_client(int width, int height, DWORD style, DWORD ex_style, int dpi);

// The height to put in a LOGFONT for `points` at `dpi` (negative: character height).
int font_height(double points, int dpi);

}  // namespace quillaro::win32
