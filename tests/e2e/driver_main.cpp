// e2e_driver.exe: runs one end-to-end test by name and reports its checks.
//
//   e2e_driver.exe <test> [args...]    run a test; exit code 0 if every check passed
//   e2e_driver.exe --list              name every test
//
// Normally started by run_e2e.sh, which gives it a scratch folder as the current folder and
// E2E_REQUEST_DIR, the folder where it asks for screenshots.

#include <windows.h>

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/saved_place_aside.h"

namespace {

std::filesystem::path own_folder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

void list_tests() {
    for (const auto& test : e2e::all_tests()) {
        e2e::print_line(std::string(test.name) + "  " + std::string(test.summary));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace std::chrono_literals;
    // Coordinates in physical pixels whatever the DPI, like the programs under test.
    SetProcessDPIAware();

    if (argc < 2) {
        e2e::print_line("usage: e2e_driver.exe <test> [args...] | --list");
        return 2;
    }
    const std::string name = e2e::to_utf8(argv[1]);
    if (name == "--list") {
        list_tests();
        return 0;
    }
    const e2e::TestCase* test = nullptr;
    for (const auto& candidate : e2e::all_tests()) {
        if (candidate.name == name) test = &candidate;
    }
    if (test == nullptr) {
        e2e::print_line("unknown test: " + name + "; the tests are:");
        list_tests();
        return 2;
    }

    const auto work_dir = std::filesystem::current_path();
    const std::wstring requests = e2e::environment(L"E2E_REQUEST_DIR");
    const e2e::Screenshots screenshots(requests.empty() ? std::filesystem::path{}
                                                        : std::filesystem::absolute(requests));

    e2e::Report report;
    report.on_first_failure([&] { screenshots.take("first-failure", 10s); });
    e2e::Context context{report, screenshots, own_folder(), work_dir, {}};
    for (int i = 2; i < argc; ++i) context.args.emplace_back(argv[i]);

    e2e::print_line("TEST " + name);
    const e2e::SavedPlaceAside saved_place;
    try {
        test->run(context);
    } catch (const std::exception& error) {
        report.fail(std::string("test stopped: ") + error.what());
    }
    return report.finish();
}
