// Functions of system DLLs that older Windows versions lack, looked up at run time and typed by
// their real declarations, so that a wrong signature is a compile error, not a crash.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

// The system DLL `name`, from System32 only (never the program's folder, where the user's
// group files are), loaded on first use and kept for the program's life. Null when missing.
HMODULE system_library(const wchar_t* name);

// `Declared` is the function's type, `decltype(TheFunction)`; null where the system lacks it.
template <typename Declared>
Declared* system_function(const wchar_t* library, const char* name) {
    HMODULE module = system_library(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Declared*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace quillaro::win32
