// The clipboard as the palette writes it: Unicode text only.
#pragma once

#include <windows.h>

#include <string_view>

namespace quillaro::win32 {

// Replaces the clipboard's contents with `text` as CF_UNICODETEXT, owned by `owner`. Another
// program may hold the clipboard open for a moment: opening is tried again for about a fifth
// of a second. False when the clipboard could not be had or written.
bool copy_to_clipboard(HWND owner, std::u16string_view text);

}  // namespace quillaro::win32
