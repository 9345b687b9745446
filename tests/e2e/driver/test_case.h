// What a test gets from the driver, and the shape of the table of tests.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report.h"
#include "screenshot.h"

namespace e2e {

struct Context {
    Report& report;
    const Screenshots& screenshots;
    std::filesystem::path exe_dir;   // the folder of e2e_driver.exe, beside the programs tested
    std::filesystem::path work_dir;  // the test's own scratch folder, the current one at start
    std::vector<std::wstring> args;  // the driver's arguments after the test's name

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

// Every test the driver knows, in the order listed by "e2e_driver.exe --list".
std::span<const TestCase> all_tests();

}  // namespace e2e
