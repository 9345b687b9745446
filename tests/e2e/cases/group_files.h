// Group files for the tests of set 3, written byte for byte into the test's folder, and the
// checks on the palette that those tests share.
#pragma once

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "driver/e2e.h"

namespace e2e::cases {

// user_define_<n>.txt in `folder`.
std::filesystem::path group_file(const std::filesystem::path& folder, int n);

// Writes `bytes` as they are (no newline translation).
void write_bytes(const std::filesystem::path& file, std::string_view bytes);
// The text as UTF-8 after the mark EF BB BF.
std::string utf8_with_mark(std::wstring_view text);
// The text as UTF-16 little-endian after the mark FF FE.
std::string utf16le_with_mark(std::wstring_view text);

// Items `first` .. `last` of a comma list: prefix + index, joined with ",".
std::string numbered_list(std::string_view prefix, int first, int last);

// The 46 key captions expected on screen: `shown` first, the rest empty.
std::wstring keys_text(std::initializer_list<std::wstring_view> shown);
// The 46 key captions on screen, joined with "|" for comparison and logging.
std::wstring keys_text(const Palette& palette);
// The 16 group-button captions on screen, joined with "|".
std::wstring groups_text(const Palette& palette);
// Joins with "|".
std::wstring joined(std::initializer_list<std::wstring_view> parts);

// Clicks group button `group` and waits until the keys and the page label read as expected;
// reports one check named after the group, noting what is on screen when it fails.
bool select_group(Report& report, Palette& palette, int group, std::wstring_view expected_keys,
                  std::wstring_view expected_label);

// Clicks key `k` and waits until `sent` has arrived after `typed`, the editor's text so far.
// On a loss `typed` becomes what the editor holds, so that one loss fails one check.
bool key_types(Report& report, Palette& palette, const StandInEditor& editor, int k,
               std::wstring& typed, std::wstring_view sent);

}  // namespace e2e::cases
