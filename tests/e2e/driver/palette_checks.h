// The checks on the palette's keys and groups that the tests of set 3 share.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "group_files.h"
#include "palette.h"
#include "report.h"
#include "stand_in.h"

namespace e2e {

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

}  // namespace e2e
