// What the palette keeps per user besides its place, beside it under
// HKCU\Software\Quillaro\Palette: the recent symbols and the hotkey that calls the palette.
#pragma once

#include <windows.h>

#include "palette/hotkey.h"
#include "palette/recent_symbols.h"

namespace quillaro::win32 {

// The list saved last; empty when the value is missing, not binary, oversized or corrupt.
RecentSymbols load_recent_symbols();
// False when the list could not be written (a locked-down profile): it lasts this run only.
bool save_recent_symbols(const RecentSymbols& recent);

// The value `Hotkey`: missing, the default; a value that is not text, or too long to be a
// hotkey, is as unusable as one that does not parse.
HotkeySetting load_hotkey_setting();

}  // namespace quillaro::win32
