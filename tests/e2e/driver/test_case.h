// What a test gets from the driver, and how a test makes itself known.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "report.h"
#include "screenshot.h"

namespace e2e {

struct Context {
    Report& report;
    const Screenshots& screenshots;
    std::filesystem::path exe_dir;   // the folder of e2e_driver.exe, beside the programs tested
    std::filesystem::path work_dir;  // the test's own scratch folder, the current one at start
    std::vector<std::wstring> args;  // the driver's arguments after the test's name

    // The driver argument that starts with `prefix`, read as a whole number (see arguments.h).
    [[nodiscard]] int int_argument(std::wstring_view prefix, int fallback) const {
        return e2e::int_argument(args, prefix, fallback);
    }

    // A program beside the driver, e.g. program(L"stand_in_editor.exe").
    [[nodiscard]] std::filesystem::path program(std::wstring_view file_name) const {
        return exe_dir / file_name;
    }

    // Asks the runner for a screenshot, saved as screenshots/<run>-<name>.png, and records
    // the outcome as a check.
    bool screenshot(std::string_view name) const {
        return report.check(screenshots.take(name), "screenshot " + std::string(name) + " saved");
    }
};

using TestFunction = void (*)(Context&);

struct TestCase {
    std::string_view name;
    TestFunction run;
    std::string_view summary;
};

// Every test the driver knows, by name, as listed by "e2e_driver.exe --list".
std::span<const TestCase> all_tests();
// Adds a test to all_tests(); called through E2E_TEST.
bool register_test(const TestCase& test);

}  // namespace e2e

// A test registers itself in its own file, after its function, and nowhere else:
//
//   E2E_TEST(palette_startup, "NEEDS_PALETTE TIMEOUT 300", "what it checks, for --list");
//
// The second argument holds the options of its ctest registration e2e.<name> (see e2e_test()
// in tests/e2e/CMakeLists.txt, which reads them from this line: keep the name and the options
// literal). E2E_TEST_ALSO registers the same driver test once more with ctest, in another
// setting, e.g. E2E_TEST_ALSO(palette_startup, "NAME palette_startup_dpi144 DPI 144").
#define E2E_TEST(name, ctest_options, summary)             \
    [[maybe_unused]] static const bool name##_registered = \
        ::e2e::register_test(::e2e::TestCase{#name, name, summary})
#define E2E_TEST_ALSO(name, ctest_options) static_assert(sizeof(#name ctest_options) > 0)
