// Checks and their report. Every check prints one line; finish() prints the closing line
// "N passed, N failed" and gives the exit code of the driver.
#pragma once

#include <concepts>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace e2e {

// A test that cannot go on (a window that never came, a program that would not start) throws
// this; the driver reports it as one failed check and still prints the closing line.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes one UTF-8 line to standard output at once, unbuffered, so that the log shows how far
// a test got even if it is killed.
void print_line(std::string_view line);

class Report {
  public:
    bool check(bool ok, std::string_view what);
    bool check_equal(std::wstring_view actual, std::wstring_view expected, std::string_view what);

    template <std::integral T, std::integral U>
    bool check_equal(T actual, U expected, std::string_view what) {
        if (std::cmp_equal(actual, expected)) return check(true, what);
        return check(false, std::string(what) + " (got " + std::to_string(actual) + ", expected " +
                                std::to_string(expected) + ")");
    }

    void fail(std::string_view what) { check(false, what); }
    void note(std::string_view message);

    // Called once, at the first failed check: the driver takes a screenshot there.
    void on_first_failure(std::function<void()> hook) { first_failure_ = std::move(hook); }

    [[nodiscard]] int passed() const { return passed_; }
    [[nodiscard]] int failed() const { return failed_; }

    // Prints "N passed, N failed"; 0 when nothing failed and at least one check ran, else 1.
    int finish();

  private:
    int passed_ = 0;
    int failed_ = 0;
    std::function<void()> first_failure_;
};

}  // namespace e2e
