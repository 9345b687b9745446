#include "text.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

std::string to_utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int units = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), units, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring from_utf8(std::string_view text) {
    if (text.empty()) return {};
    const int bytes = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
    std::wstring out(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, out.data(), units);
    return out;
}

std::string describe(std::wstring_view text) {
    std::string out = "\"";
    for (wchar_t unit : text) {
        if (unit == L'"' || unit == L'\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            out += escaped;
        }
    }
    out += '"';
    return out;
}

}  // namespace e2e
