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

// The most bytes of a group file that are read. Everything a key can show and type fits in
// far less: lines 2 and 3 of 251 items of 1,024 units each take 1.5 MiB in UTF-8 at three bytes
// a unit (1 MiB in UTF-16 or Big5), and line 1 one caption more. So lines 1 to 3 of any file
// whose every key is full still fit, while a huge file costs no more than this to read.
inline constexpr size_t kMaxGroupFileBytes = size_t{2} << 20;

// The first `max_lines` lines of a group file's bytes, decoded to UTF-16.
//  - Only the first kMaxGroupFileBytes bytes are read; a file is as long as that at most. The
//    encoding is decided from what is read, and a UTF-8 character cut in two at the end of a
//    file read only that far is no reason to read it as ANSI: it is dropped.
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

// True when a change to the file `name` (no folder part, as a folder's change notice names it)
// may change set 3: one of the 16 group files' names in any case, as Windows matches names, or
// a short 8.3 name (with "~"), which could stand for one of them.
bool may_name_group_file(std::u16string_view name);

}  // namespace quillaro
