// The program: the palette window, the about window on request, one message loop.
#include <windows.h>

#include <commctrl.h>

#include "win32/about_window.h"
#include "win32/folder_watch.h"
#include "win32/font_cache.h"
#include "win32/message_loop.h"
#include "win32/palette_window.h"
#include "win32/startup_marks.h"
#include "win32/system_functions.h"
#include "win32/utf16.h"

namespace {

using quillaro::win32::AboutWindow;
using quillaro::win32::FolderWatch;
using quillaro::win32::FontCache;
using quillaro::win32::MessageLoop;
using quillaro::win32::PaletteWindow;
using quillaro::win32::StartupMarks;

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

// Libraries loaded by name come from System32 only, never from the current folder or the
// program's folder, where the user's group files are. SetDefaultDllDirectories is looked up
// rather than imported: Windows 7 has it only with update KB2533623, and an import would stop
// the program from starting there; without it, at least the current folder leaves the search.
void restrict_library_search() {
    auto* const set_default_dll_directories =
        quillaro::win32::system_function<decltype(SetDefaultDllDirectories)>(
            L"kernel32.dll", "SetDefaultDllDirectories");
    if (set_default_dll_directories == nullptr ||
        set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32) == FALSE) {
        SetDllDirectoryW(L"");
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR command_line,
                    int show_command) {
    StartupMarks marks(command_line);
    marks.mark("entered");
    restrict_library_search();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    marks.mark("common_controls");

    OpenWindows open_windows;
    MessageLoop loop;
    FontCache fonts;
    AboutWindow about(instance, fonts, [&] { open_windows.closed(); });
    PaletteWindow palette(
        instance, fonts, loop, marks,
        [&] {
            const bool was_closed = about.hwnd() == nullptr;
            if (about.open() && was_closed) open_windows.opened();
        },
        [&] { open_windows.closed(); });
    open_windows.opened();
    // Set 3 follows its files while the palette runs. Watched from before start-up reads them,
    // so that a change made meanwhile is not missed; it is handled in the message loop.
    FolderWatch group_files(loop, [&] { palette.group_files_changed(); });
    marks.mark("folder_watch");
    loop.set_key_handler([&](MSG& message) {
        return palette.handle_keyboard(message) ||
               (about.hwnd() != nullptr && IsDialogMessageW(about.hwnd(), &message) != FALSE);
    });
    if (!palette.create(show_command)) {
        const std::u16string title(quillaro::kAppTitle);
        MessageBoxW(nullptr, L"無法建立視窗,程式無法啟動.", quillaro::win32::as_wchars(title),
                    MB_OK | MB_ICONERROR);
        return 1;
    }

    return loop.run();
}
