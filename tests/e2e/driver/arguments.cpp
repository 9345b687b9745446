#include "arguments.h"

#include <windows.h>

namespace e2e {

int int_argument(std::span<const std::wstring> args, std::wstring_view prefix, int fallback) {
    for (const auto& arg : args) {
        if (arg.starts_with(prefix)) return std::stoi(arg.substr(prefix.size()));
    }
    return fallback;
}

std::wstring environment(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::optional<int> environment_int(const wchar_t* name) {
    const std::wstring value = environment(name);
    if (value.empty()) return std::nullopt;
    return std::stoi(value);
}

}  // namespace e2e
