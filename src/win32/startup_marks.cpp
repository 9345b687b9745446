#include "win32/startup_marks.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string_view>

namespace quillaro::win32 {
namespace {

constexpr std::wstring_view kOption = L"--startup-marks=";

double milliseconds_since_process_start() {
    FILETIME created{};
    FILETIME unused{};
    FILETIME now{};
    if (GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused) == FALSE) {
        return 0;
    }
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10'000.0;  // 100 ns units
}

// The process's working set in KiB: what each phase adds to the memory the palette holds.
unsigned long long working_set_kib() {
    PROCESS_MEMORY_COUNTERS use{};
    use.cb = sizeof(use);
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &use, sizeof(use)) == FALSE) return 0;
    return use.WorkingSetSize / 1024;
}

}  // namespace

StartupMarks::StartupMarks(const wchar_t* command_line) {
    const std::wstring_view line = command_line != nullptr ? command_line : L"";
    const size_t at = line.find(kOption);
    if (at == std::wstring_view::npos) return;
    std::wstring_view file = line.substr(at + kOption.size());
    const bool quoted = file.starts_with(L'"');
    if (quoted) file.remove_prefix(1);
    file_ = file.substr(0, file.find(quoted ? L'"' : L' '));
}

void StartupMarks::mark(const char* phase) {
    if (file_.empty()) return;
    char line[96];
    std::snprintf(line, sizeof line, "%s %.2f %llu\n", phase, milliseconds_since_process_start(),
                  working_set_kib());
    lines_.emplace_back(line);
}

void StartupMarks::write() const {
    if (file_.empty()) return;
    HANDLE file = CreateFileW(file_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    for (const std::string& line : lines_) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    CloseHandle(file);
}

}  // namespace quillaro::win32
