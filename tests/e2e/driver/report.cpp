#include "report.h"

#include <windows.h>

#include "text.h"

namespace e2e {

void print_line(std::string_view line) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        // A real console wants UTF-16; pipes and files (the usual case under the runner) get
        // UTF-8 bytes.
        const std::wstring wide = from_utf8(line) + L"\r\n";
        DWORD written = 0;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string bytes(line);
    bytes += '\n';
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Report::check(bool ok, std::string_view what) {
    print_line(std::string(ok ? "PASS: " : "FAIL: ") + std::string(what));
    if (ok) {
        ++passed_;
    } else {
        ++failed_;
        if (failed_ == 1 && first_failure_) {
            auto hook = std::move(first_failure_);
            first_failure_ = nullptr;
            hook();
        }
    }
    return ok;
}

bool Report::check_equal(std::wstring_view actual, std::wstring_view expected,
                         std::string_view what) {
    if (actual == expected) return check(true, what);
    return check(false, std::string(what) + " (got " + describe(actual) + ", expected " +
                            describe(expected) + ")");
}

void Report::note(std::string_view message) { print_line("NOTE: " + std::string(message)); }

int Report::finish() {
    print_line(std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed");
    return (failed_ == 0 && passed_ > 0) ? 0 : 1;
}

}  // namespace e2e
