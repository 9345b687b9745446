#include "arguments.h"

#include <windows.h>

#include "report.h"
#include "text.h"

namespace e2e {

namespace {

int whole_number(std::wstring_view text, std::string_view what) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(std::wstring(text), &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        throw Error(std::string(what) + " is not a whole number: " + describe(text));
    }
    return value;
}

}  // namespace

int int_argument(std::span<const std::wstring> args, std::wstring_view prefix, int fallback) {
    for (const auto& arg : args) {
        if (arg.starts_with(prefix)) {
            return whole_number(std::wstring_view(arg).substr(prefix.size()), to_utf8(prefix));
        }
    }
    return fallback;
}

std::wstring environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length);
    return value;
}

std::optional<int> environment_int(const wchar_t* name) {
    const std::wstring value = environment(name);
    if (value.empty()) return std::nullopt;
    return whole_number(value, to_utf8(name));
}

}  // namespace e2e
