#include "win32/system_functions.h"

#include <string>

namespace quillaro::win32 {

HMODULE system_library(const wchar_t* name) {
    if (HMODULE loaded = GetModuleHandleW(name)) return loaded;
    if (HMODULE loaded = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return loaded;
    }
    // Systems without the search flags (Windows 7 before KB2533623): the full path.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    return LoadLibraryExW((path + L"\\" + name).c_str(), nullptr, 0);
}

}  // namespace quillaro::win32
