// Failures the program deliberately goes on after, told to a debugger in debug builds.
#pragma once

#include <windows.h>

namespace quillaro::win32 {

inline void log_ignored(const wchar_t* what) {
#ifndef NDEBUG
    OutputDebugStringW(what);
#else
    static_cast<void>(what);
#endif
}

}  // namespace quillaro::win32
