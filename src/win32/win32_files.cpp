#include "win32/win32_files.h"

#include <string>

#include "symbols/group_file.h"
#include "win32/group_file_sharing.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {
namespace {

// A group file larger than this is read only this far: the lines a group uses are at its
// start, and a huge file must not cost more than that.
constexpr DWORD kMaxFileBytes = kMaxGroupFileBytes;

bool in_use(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool Win32Files::start_editor(std::u16string_view command_line) {
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

FileRead Win32Files::read_file(std::u16string_view name) {
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

std::u16string Win32Files::decode_ansi(std::string_view bytes) {
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
