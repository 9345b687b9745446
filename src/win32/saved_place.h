// The palette's place between runs, per user: HKCU\Software\Quillaro\Palette, the window's
// top-left corner in virtual-screen pixels.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "palette/screen_place.h"

namespace quillaro::win32 {

inline constexpr const wchar_t* kPlaceKey = L"Software\\Quillaro\\Palette";

// The corner saved when the palette last closed; nothing on the first start.
std::optional<POINT> load_saved_place();
// False when the place could not be written (a locked-down profile); the palette then opens
// at its designed place next time, as on the first start.
bool save_place(POINT corner);

// The work area of every monitor, in virtual-screen pixels.
std::vector<PixelRect> monitor_work_areas();

}  // namespace quillaro::win32
