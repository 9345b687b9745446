#include "screenshot.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "process.h"
#include "text.h"

namespace e2e {

namespace {

bool valid_name(std::string_view name) {
    return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

bool file_exists(const std::filesystem::path& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool Screenshots::take(std::string_view name, Millis timeout) const {
    if (!available() || !valid_name(name)) return false;
    const std::wstring base = from_utf8(name);
    const auto request = folder_ / (base + L".request");
    const auto done = folder_ / (base + L".done");
    const auto failed = folder_ / (base + L".failed");
    DeleteFileW(done.c_str());
    DeleteFileW(failed.c_str());

    if (!UniqueHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr))) {
        return false;
    }

    poll([&] { return file_exists(done) || file_exists(failed); }, timeout, 50ms);
    return file_exists(done);
}

}  // namespace e2e
