// The program: the palette window, the about window on request, one message loop.
#include <windows.h>

#include <commctrl.h>

#include "win32/about_window.h"
#include "win32/font_cache.h"
#include "win32/palette_window.h"

namespace {

using quillaro::win32::AboutWindow;
using quillaro::win32::FontCache;
using quillaro::win32::PaletteWindow;

// The program ends when its last window has closed.
class OpenWindows {
  public:
    void opened() { ++count_; }
    void closed() {
        if (--count_ == 0) PostQuitMessage(0);
    }

  private:
    int count_ = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int show_command) {
    // The program runs from a folder of user files: load system libraries from the system only.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    OpenWindows open_windows;
    FontCache fonts;
    AboutWindow about(instance, fonts, [&] { open_windows.closed(); });
    PaletteWindow palette(
        instance, fonts,
        [&] {
            const bool was_closed = about.hwnd() == nullptr;
            about.open();
            if (was_closed && about.hwnd() != nullptr) open_windows.opened();
        },
        [&] { open_windows.closed(); });
    open_windows.opened();
    if (!palette.create(show_command)) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (palette.handle_tab(message)) continue;
        if (about.hwnd() != nullptr && IsDialogMessageW(about.hwnd(), &message) != FALSE) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
