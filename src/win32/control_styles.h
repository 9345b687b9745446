// The window class and styles of each kind of control in the palette's layout. The palette
// makes its controls with them; the benchmarks' floor makes the same controls with them too.
#pragma once

#include <windows.h>

#include "palette/layout.h"

namespace quillaro::win32 {

const wchar_t* control_class(ControlKind kind);
DWORD control_style(ControlKind kind);
DWORD control_ex_style(ControlKind kind);

}  // namespace quillaro::win32
