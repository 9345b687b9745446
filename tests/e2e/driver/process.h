// A program the test started: its handles are owned here and closed with it. A test that ends
// early never leaves its programs behind: the destructor ends a program still running.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "poll.h"
#include "win32/unique_handle.h"

namespace e2e {

// The product's own owner of kernel handles: null and INVALID_HANDLE_VALUE are both empty.
using UniqueHandle = quillaro::win32::UniqueKernelHandle;

// One argument quoted so that CommandLineToArgvW and the C runtime read it back unchanged.
std::wstring quote_argument(std::wstring_view argument);
// The whole command line: the program path first, then every argument quoted.
std::wstring command_line(const std::filesystem::path& exe, const std::vector<std::wstring>& args);

class Process {
  public:
    // Starts `exe` with `args` in folder `cwd` (the driver's own folder when empty). Throws
    // Error if the program cannot be started.
    static Process start(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                         const std::filesystem::path& cwd = {});

    Process(Process&&) noexcept = default;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    [[nodiscard]] HANDLE handle() const { return process_.get(); }
    [[nodiscard]] DWORD id() const { return id_; }
    [[nodiscard]] bool running() const;

    // The exit code, or nothing if the program is still running when `timeout` has passed.
    std::optional<DWORD> wait_exit(Millis timeout);
    // True once the program waits for input with an empty message queue (WaitForInputIdle).
    bool wait_input_idle(Millis timeout);
    // Ends the program at once and waits for it to be gone.
    void terminate(UINT exit_code = 1);

  private:
    Process(UniqueHandle process, UniqueHandle thread, DWORD id)
        : process_(std::move(process)), thread_(std::move(thread)), id_(id) {}

    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD id_ = 0;
};

}  // namespace e2e
