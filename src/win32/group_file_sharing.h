// How the palette opens a group file to read it, shared with the tests that check a file opens
// as the palette would open it.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

// Sharing deletion too: an editor that saves by replacing the file must not fail because the
// palette is reading it just then.
inline constexpr DWORD kGroupFileSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace quillaro::win32
