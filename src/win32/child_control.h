// Child controls made and moved from the layout table.
#pragma once

#include <windows.h>

#include "palette/layout.h"

namespace quillaro::win32 {

// Makes the control in place, as a child of `parent` with the layout's ID; null on failure.
HWND create_child(HWND parent, const wchar_t* window_class, DWORD style, DWORD ex_style,
                  const ControlPlacement& placement, int dpi, const wchar_t* text = L"");

// Moves the control to its place at `dpi`.
void move_child(HWND control, const ControlPlacement& placement, int dpi);

}  // namespace quillaro::win32
