#include "win32/theme.h"

#include <vsstyle.h>

#include <string>

namespace quillaro::win32 {
namespace {

// uxtheme.dll is loaded from System32 when first needed rather than imported: it is not one
// of the system's known DLLs, and an import would be looked for in the program's folder, the
// folder of the user's group files, before SetDefaultDllDirectories takes effect.
struct ThemeFunctions {
    using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HTHEME);
    using DrawBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);

    OpenFn open = nullptr;
    CloseFn close = nullptr;
    DrawBackgroundFn draw_background = nullptr;

    [[nodiscard]] bool complete() const {
        return open != nullptr && close != nullptr && draw_background != nullptr;
    }
};

template <typename Function>
Function function_of(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const ThemeFunctions& theme_functions() {
    static const ThemeFunctions functions = [] {
        ThemeFunctions loaded;
        // Kept loaded for the program's life, as the functions are.
        HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (uxtheme == nullptr) {
            // Systems without the search flags (Windows 7 before KB2533623): the full path.
            std::wstring path(MAX_PATH, L'\0');
            const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
            if (length == 0 || length >= MAX_PATH) return loaded;
            path.resize(length);
            uxtheme = LoadLibraryExW((path + L"\\uxtheme.dll").c_str(), nullptr, 0);
        }
        if (uxtheme == nullptr) return loaded;
        loaded.open = function_of<ThemeFunctions::OpenFn>(uxtheme, "OpenThemeData");
        loaded.close = function_of<ThemeFunctions::CloseFn>(uxtheme, "CloseThemeData");
        loaded.draw_background =
            function_of<ThemeFunctions::DrawBackgroundFn>(uxtheme, "DrawThemeBackground");
        return loaded;
    }();
    return functions;
}

int state_of(ButtonLook look) {
    switch (look) {
        case ButtonLook::Hot:
            return PBS_HOT;
        case ButtonLook::Pressed:
            return PBS_PRESSED;
        case ButtonLook::Disabled:
            return PBS_DISABLED;
        case ButtonLook::Normal:
            break;
    }
    return PBS_NORMAL;
}

}  // namespace

bool ButtonTheme::draw_background(HWND window, HDC dc, const RECT& rect, ButtonLook look) {
    const ThemeFunctions& functions = theme_functions();
    if (!functions.complete()) return false;
    if (!opened_) {
        // For a per-monitor aware window the data is made for the window's DPI.
        theme_ = functions.open(window, L"BUTTON");
        opened_ = true;
    }
    if (theme_ == nullptr) return false;
    return SUCCEEDED(
        functions.draw_background(theme_, dc, BP_PUSHBUTTON, state_of(look), &rect, nullptr));
}

void ButtonTheme::close() {
    if (theme_ != nullptr) theme_functions().close(theme_);
    theme_ = nullptr;
    opened_ = false;
}

}  // namespace quillaro::win32
