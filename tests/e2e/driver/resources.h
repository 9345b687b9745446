// What a running program holds: handles, window-system objects, memory and processor time,
// read from outside as a task manager reads them.
#pragma once

#include <windows.h>

#include <string>

#include "process.h"
#include "report.h"

namespace e2e {

struct ResourceUse {
    // GetGuiResources; Wine reports 0 for both.
    DWORD gdi_objects = 0;
    DWORD user_objects = 0;
    // Open kernel handles, from the system's process list (Wine leaves GetProcessHandleCount
    // at 0 but keeps this one).
    DWORD handles = 0;
    SIZE_T working_set = 0;
    SIZE_T peak_working_set = 0;
    // The commit charge (PagefileUsage, which Windows also reports as PrivateUsage; Wine fills
    // only the first, from the process's anonymous memory).
    SIZE_T private_bytes = 0;
    // User and kernel time so far.
    double cpu_seconds = 0;
};

ResourceUse resource_use(const Process& process);

// "handles 64, working set 31 MiB, ..." for the log.
std::string describe(const ResourceUse& use);

// How far a process may grow between two measurements without counting as a leak. A count
// allowed 0 must come out exactly equal.
struct LeakAllowance {
    DWORD objects = 0;  // GDI and USER objects, each
    DWORD handles = 0;  // kernel handles
    SIZE_T private_bytes = 0;
    SIZE_T working_set = 0;
};

// The one leak check of the long runs: GDI and USER objects (where the system counts them;
// Wine does not, which is noted instead), kernel handles, private bytes and working set of
// `after` against `before`. `when` ends each check's name, e.g. "after the walk".
void check_no_leak(Report& report, const ResourceUse& before, const ResourceUse& after,
                   const LeakAllowance& allowance, const std::string& when);

}  // namespace e2e
