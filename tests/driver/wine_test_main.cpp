// main() of every GoogleTest program that runs under Wine. The desktop's
// launcher hides our exit code, so the result goes to the file the test bed
// names in TESTBED_RESULT.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver.h"

namespace {

void Report(int result) {
    std::fflush(stdout);
    if (const char* path = std::getenv("TESTBED_RESULT")) driver::WriteFile(path, std::to_string(result) + "\n");
}

// A test thread that loses its desktop starts every later program on a
// desktop nobody sees, where each later test fails for no reason of its own:
// stop at the test that lost it, and say so.
class DesktopGuard : public testing::EmptyTestEventListener {
    const std::string desktop_ = driver::ThisDesktop();

    void OnTestEnd(const testing::TestInfo& test) override {
        const std::string now = driver::ThisDesktop();
        if (now == desktop_) return;
        std::fprintf(stderr, "\n!! The test thread's desktop changed from '%s' to '%s' during %s.%s;"
                             " stopping here.\n", desktop_.c_str(), now.c_str(), test.test_suite_name(), test.name());
        Report(1);
        std::_Exit(1);
    }
};

// A run for another Windows version proves nothing unless the system
// reports that version.
bool ReportsTheWindowsAskedFor() {
    const char* asked = std::getenv("TESTBED_WINDOWS");
    if (!asked || !*asked) return true;
    OSVERSIONINFOW version = {sizeof version, 0, 0, 0, 0, {}};
    GetVersionExW(&version);
    if (std::string(asked) == "winxp" && version.dwMajorVersion == 5 && version.dwMinorVersion == 1) return true;
    std::fprintf(stderr, "\n!! The bed was asked for %s, and the system reports Windows %lu.%lu.\n", asked,
                 version.dwMajorVersion, version.dwMinorVersion);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new DesktopGuard);
    const int result = ReportsTheWindowsAskedFor() ? RUN_ALL_TESTS() : 1;
    Report(result);
    return result;
}
