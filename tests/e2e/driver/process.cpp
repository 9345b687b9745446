#include "process.h"

#include "report.h"
#include "text.h"

namespace e2e {

std::wstring quote_argument(std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        return std::wstring(argument);
    }
    // Backslashes are literal unless they come before a quote; there they are doubled, and the
    // quote itself is escaped. Backslashes before the closing quote are doubled too.
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t unit : argument) {
        if (unit == L'\\') {
            ++backslashes;
            continue;
        }
        if (unit == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        backslashes = 0;
        out += unit;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

std::wstring command_line(const std::filesystem::path& exe, const std::vector<std::wstring>& args) {
    std::wstring line = quote_argument(exe.wstring());
    for (const auto& arg : args) {
        line += L' ';
        line += quote_argument(arg);
    }
    return line;
}

Process Process::start(const std::filesystem::path& exe, const std::vector<std::wstring>& args,
                       const std::filesystem::path& cwd) {
    std::wstring line = command_line(exe, args);
    const std::wstring folder = cwd.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        throw Error("cannot start " + to_utf8(exe.wstring()) + " (error " +
                    std::to_string(GetLastError()) + ")");
    }
    return Process(UniqueHandle(info.hProcess), UniqueHandle(info.hThread), info.dwProcessId);
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (running()) terminate();
        process_ = std::move(other.process_);
        thread_ = std::move(other.thread_);
        id_ = other.id_;
    }
    return *this;
}

Process::~Process() {
    if (running()) terminate();
}

bool Process::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::wait_exit(Millis timeout) {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

bool Process::wait_input_idle(Millis timeout) {
    return process_ && WaitForInputIdle(process_.get(), static_cast<DWORD>(timeout.count())) == 0;
}

void Process::terminate(UINT exit_code) {
    if (!process_) return;
    TerminateProcess(process_.get(), exit_code);
    WaitForSingleObject(process_.get(), 10000);
}

}  // namespace e2e
