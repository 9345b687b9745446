// The clipboard as the tests read and set it: Unicode text, opened with a bounded retry while
// another program holds it.
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The clipboard's Unicode text; nothing when it holds none or cannot be opened.
std::optional<std::wstring> clipboard_text();
// Puts `text` on the clipboard; false when it cannot be opened or set.
bool set_clipboard_text(const std::wstring& text);

}  // namespace e2e
