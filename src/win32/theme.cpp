#include "win32/theme.h"

#include <vsstyle.h>

#include "win32/system_functions.h"

namespace quillaro::win32 {
namespace {

// uxtheme.dll is loaded from System32 when first needed rather than imported: it is not one
// of the system's known DLLs, and an import would be looked for in the program's folder, the
// folder of the user's group files, before SetDefaultDllDirectories takes effect.
struct ThemeFunctions {
    decltype(OpenThemeData)* open =
        system_function<decltype(OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
    decltype(CloseThemeData)* close =
        system_function<decltype(CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
    decltype(DrawThemeBackground)* draw_background =
        system_function<decltype(DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");

    [[nodiscard]] bool complete() const {
        return open != nullptr && close != nullptr && draw_background != nullptr;
    }
};

const ThemeFunctions& theme_functions() {
    static const ThemeFunctions functions;
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
