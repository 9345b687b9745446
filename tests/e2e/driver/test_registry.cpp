#include <algorithm>
#include <vector>

#include "test_case.h"

namespace e2e {

namespace {

// Filled while the driver starts, before main, by the E2E_TEST lines of the cases.
std::vector<TestCase>& registry() {
    static std::vector<TestCase> tests;
    return tests;
}

}  // namespace

std::span<const TestCase> all_tests() { return registry(); }

bool register_test(const TestCase& test) {
    auto& tests = registry();
    const auto at = std::ranges::lower_bound(tests, test.name, {}, &TestCase::name);
    tests.insert(at, test);
    return true;
}

}  // namespace e2e
