// Reading the user's group files user_define_0.txt .. user_define_15.txt.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillaro {

// Converts bytes in the system's ANSI code page to UTF-16 (MultiByteToWideChar(CP_ACP) on
// Windows; tests pass their own table).
using AnsiDecoder = std::function<std::u16string(std::string_view bytes)>;

// The first `max_lines` lines of a group file's bytes, decoded to UTF-16.
//  - A UTF-8, UTF-16 LE or UTF-16 BE byte-order mark selects that encoding; the mark is not text.
//  - Without a mark, bytes that are entirely valid UTF-8 and hold at least one multi-byte
//    sequence are UTF-8; everything else goes through `ansi` (a Big5 file with user-defined
//    symbols is never valid UTF-8, so existing files read as they always did).
//  - CR LF, a lone CR and a lone LF each end a line; the line end is not part of the line;
//    the last line needs no line end. A file of 0 bytes has no lines.
//  - Control characters other than TAB (U+0000..U+001F, U+007F) are dropped from the lines:
//    a key captioned "a<NUL>b" in the file shows "ab" and types "ab", and no byte of a group
//    file can reach the target window as backspace, paste or undo.
//  - `ansi` gets each line cut at its commas, a piece at a time, so that a double-byte lead
//    byte cut off before a comma never swallows the comma.
std::vector<std::u16string> read_group_lines(std::string_view bytes, const AnsiDecoder& ansi,
                                             size_t max_lines);

// "user_define_" + n + ".txt"
std::u16string group_file_name(int n);

}  // namespace quillaro
