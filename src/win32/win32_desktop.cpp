#include "win32/win32_desktop.h"

#include <string>

#include "palette/layout.h"
#include "palette/palette.h"
#include "symbols/group_file.h"
#include "win32/clipboard.h"
#include "win32/group_file_sharing.h"
#include "win32/integrity.h"
#include "win32/keyboard.h"
#include "win32/unique_handle.h"
#include "win32/utf16.h"

namespace quillaro::win32 {
namespace {

HWND as_hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle as_handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// A group file larger than this is read only this far: the lines a group uses are at its
// start, and a huge file must not cost more than that.
constexpr DWORD kMaxFileBytes = kMaxGroupFileBytes;

// How long a key waits for the window it types into to answer after being brought forward; a
// hung window gets its keys after this, as it would without the wait.
constexpr UINT kActivationAnswerMs = 250;

bool in_use(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

WindowHandle Win32Desktop::foreground_window() { return as_handle(GetForegroundWindow()); }

WindowHandle Win32Desktop::own_window() { return as_handle(palette_window_); }

void Win32Desktop::make_topmost() {
    // Only the stacking: the window is not shown yet, and showing it activates it anyway, so
    // activating it here as well only made Wine change the focus one time more.
    SetWindowPos(palette_window_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Desktop::set_foreground_window(WindowHandle window) {
    HWND target = as_hwnd(window);
    if (target == nullptr || GetForegroundWindow() == target) return;
    SetForegroundWindow(target);
    // The target may still have its earlier deactivation to handle, and until it has, its
    // focus looks unchanged: keys typed then would find no focus. It handles what it is sent
    // in order, so once it answers this message it has handled both.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kActivationAnswerMs, &ignored);
}

void Win32Desktop::dispatch_pending_messages() { loop_.dispatch_pending(); }

bool Win32Desktop::wait_until_active(WindowHandle window) {
    HWND target = as_hwnd(window);
    if (target == nullptr || IsWindow(target) == FALSE) return true;
    // The activation is asynchronous: poll for it, still dispatching our own messages, for
    // at most about half a second. It takes a few milliseconds under Wine; polling every
    // millisecond rather than five keeps a click's symbol from waiting for nothing.
    const ULONGLONG deadline = GetTickCount64() + 500;
    for (;;) {
        if (IsWindow(target) == FALSE) return true;
        const DWORD thread = GetWindowThreadProcessId(target, nullptr);
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (GetForegroundWindow() == target && GetGUIThreadInfo(thread, &info) != FALSE &&
            info.hwndFocus != nullptr) {
            return true;
        }
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        loop_.dispatch_pending();
    }
}

bool Win32Desktop::accepts_typing(WindowHandle window) { return !runs_above_us(as_hwnd(window)); }

bool Win32Desktop::type_text(std::u16string_view text) { return win32::type_text(text); }

bool Win32Desktop::copy_text(std::u16string_view text) {
    return copy_to_clipboard(palette_window_, text);
}

void Win32Desktop::show_key_notice(int16_t index, std::u16string_view title,
                                   std::u16string_view text) {
    // The preview box's font: symbols of the private use area draw as they do on the keys.
    const auto font = reinterpret_cast<HFONT>(
        SendMessageW(GetDlgItem(palette_window_, kPreviewId), WM_GETFONT, 0, 0));
    key_notice_.show(palette_window_, GetDlgItem(palette_window_, kFirstKeyId + index), font, title,
                     text);
}

void Win32Desktop::message_box(std::u16string_view text) {
    const std::u16string owned(text);
    const std::u16string title(kAppTitle);
    MessageBoxW(palette_window_, as_wchars(owned), as_wchars(title), MB_OK | MB_APPLMODAL);
}

bool Win32Desktop::start_editor(std::u16string_view command_line) {
    // The system's own Notepad, by full path: a program named notepad in the folder of group
    // files must never be started instead.
    std::wstring editor(MAX_PATH, L'\0');
    const UINT length = GetSystemWindowsDirectoryW(editor.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    editor.resize(length);
    editor += L"\\notepad.exe";
    if (GetFileAttributesW(editor.c_str()) == INVALID_FILE_ATTRIBUTES) {
        editor.resize(length);
        editor += L"\\system32\\notepad.exe";
    }

    std::wstring line(reinterpret_cast<const wchar_t*>(command_line.data()), command_line.size());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(editor.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE) {
        return false;
    }
    // Nothing of the editor is kept.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

FileRead Win32Desktop::read_file(std::u16string_view name) {
    const auto failed = [] {
        return FileRead{
            in_use(GetLastError()) ? FileRead::Status::InUse : FileRead::Status::Missing, {}};
    };
    const std::wstring path(reinterpret_cast<const wchar_t*>(name.data()), name.size());
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, kGroupFileSharing, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return failed();
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file.get(), &info) == FALSE ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    FileRead read{FileRead::Status::Read, {}};
    std::string& bytes = read.bytes;
    const ULONGLONG size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    bytes.resize(static_cast<size_t>(size < kMaxFileBytes ? size : kMaxFileBytes));
    size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        if (ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                     &got, nullptr) == FALSE) {
            return failed();
        }
        if (got == 0) break;  // the file shrank while we read it
        filled += got;
    }
    bytes.resize(filled);
    return read;
}

std::u16string Win32Desktop::decode_ansi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0) return {};
    std::u16string text(static_cast<size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                        units);
    return text;
}

}  // namespace quillaro::win32
