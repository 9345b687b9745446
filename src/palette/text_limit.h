// How much of a key-table string the palette's controls show and its keys type.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillaro {

// The most UTF-16 units of a key-table string that a control shows or a key types. Far more
// than any symbol or phrase a key is made for, and few enough that a runaway line of a group
// file (megabytes without a comma) neither stalls the window's controls for minutes nor floods
// the target window with keystrokes. A longer string shows and types its first units, never
// half a surrogate pair, so the preview always shows exactly what a click types. Items of the
// group files are kept only this long in the key table, which then holds at most 1 MiB or so
// for set 3 however large the files are.
inline constexpr size_t kMaxTextUnits = 1024;
std::u16string_view within_text_limit(std::u16string_view text);

}  // namespace quillaro
