// UTF-16 <-> UTF-8 for the driver's log, and an unambiguous way to show strings in it.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

std::string to_utf8(std::wstring_view text);
std::wstring from_utf8(std::string_view text);

// The text in double quotes, printable ASCII as is and every other UTF-16 unit as \uXXXX, so
// that private-use characters, surrogate halves and look-alikes are visible in a log.
std::string describe(std::wstring_view text);

}  // namespace e2e
