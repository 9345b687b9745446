// The one place a test reads its settings: the driver's arguments after the test's name
// ("--clicks=500", "rounds=3") and environment variables set by run_e2e.sh or the caller.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace e2e {

// The value of the first argument that starts with `prefix` (say L"--clicks="), read as a whole
// number; `fallback` when none does. A value that is no number throws, which stops the test.
int int_argument(std::span<const std::wstring> args, std::wstring_view prefix, int fallback);

// An environment variable's value; empty when it is not set.
std::wstring environment(const wchar_t* name);
// An environment variable read as a whole number; nothing when it is not set.
std::optional<int> environment_int(const wchar_t* name);

}  // namespace e2e
