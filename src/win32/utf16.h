// Windows' wchar_t is a UTF-16 unit, as char16_t is: the two share one layout, so the
// portable code's UTF-16 strings pass to Win32 without a copy.
#pragma once

#include <string>

namespace quillaro::win32 {

// The string's units as the null-terminated wide string Win32 functions take.
inline const wchar_t* as_wchars(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace quillaro::win32
