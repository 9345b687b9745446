#include "resources.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace e2e {

namespace {

DWORD handle_count(DWORD process_id) {
    using Query = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return 0;
    std::vector<char> buffer(1u << 20);
    ULONG needed = 0;
    while (query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                 &needed) != 0) {
        if (buffer.size() >= (64u << 20)) return 0;
        buffer.resize(buffer.size() * 2);
    }
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&buffer[offset]);
        if (reinterpret_cast<DWORD_PTR>(entry->UniqueProcessId) == process_id) {
            return entry->HandleCount;
        }
        if (entry->NextEntryOffset == 0) return 0;
        offset += entry->NextEntryOffset;
    }
}

double seconds(const FILETIME& time) {
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) / 1e7;
}

std::string kib(SIZE_T bytes) { return std::to_string(bytes / 1024) + " KiB"; }

template <class T>
void check_count(Report& report, T before, T after, T allowed, const std::string& what) {
    if (allowed == 0) {
        report.check_equal(after, before, what);
    } else {
        report.check(after <= before + allowed,
                     what + " grow by at most " + std::to_string(allowed) + " (" +
                         std::to_string(before) + " to " + std::to_string(after) + ")");
    }
}

}  // namespace

ResourceUse resource_use(const Process& process) {
    ResourceUse use;
    HANDLE handle = process.handle();
    use.gdi_objects = GetGuiResources(handle, GR_GDIOBJECTS);
    use.user_objects = GetGuiResources(handle, GR_USEROBJECTS);
    use.handles = handle_count(process.id());
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(handle, &memory, sizeof memory)) {
        use.working_set = memory.WorkingSetSize;
        use.peak_working_set = memory.PeakWorkingSetSize;
        use.private_bytes = memory.PagefileUsage;
    }
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (GetProcessTimes(handle, &created, &exited, &kernel, &user)) {
        use.cpu_seconds = seconds(kernel) + seconds(user);
    }
    return use;
}

std::string describe(const ResourceUse& use) {
    return "GDI objects " + std::to_string(use.gdi_objects) + ", USER objects " +
           std::to_string(use.user_objects) + ", handles " + std::to_string(use.handles) +
           ", working set " + kib(use.working_set) + " (peak " + kib(use.peak_working_set) +
           "), private " + kib(use.private_bytes);
}

void check_no_leak(Report& report, const ResourceUse& before, const ResourceUse& after,
                   const LeakAllowance& allowance, const std::string& when) {
    if (before.gdi_objects == 0 && before.user_objects == 0 && after.gdi_objects == 0 &&
        after.user_objects == 0) {
        report.note("GetGuiResources reports nothing here: handles and memory only " + when);
    } else {
        check_count(report, before.gdi_objects, after.gdi_objects, allowance.objects,
                    "GDI objects " + when);
        check_count(report, before.user_objects, after.user_objects, allowance.objects,
                    "USER objects " + when);
    }
    report.check(before.handles != 0, "the process's kernel handles can be counted");
    check_count(report, before.handles, after.handles, allowance.handles, "kernel handles " + when);
    report.check(after.private_bytes <= before.private_bytes + allowance.private_bytes,
                 "private bytes grew by at most " + kib(allowance.private_bytes) + " " + when);
    report.check(after.working_set <= before.working_set + allowance.working_set,
                 "the working set grew by at most " + kib(allowance.working_set) + " " + when);
}

}  // namespace e2e
