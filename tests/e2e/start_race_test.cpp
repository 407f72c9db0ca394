// Starts that race each other: the instance test must let exactly one through.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"

namespace {

TEST(StartRace, TwentySimultaneousStartsInMixedModesLeaveExactlyOne) {
    const driver::ScrCopy scr("start_race");
    // The desktop itself hosts the preview, so every mode has somewhere to show.
    const std::string desktop = std::to_string(reinterpret_cast<UINT_PTR>(GetDesktopWindow()));
    const std::vector<std::string> modes = {"/s", "/c", "/p " + desktop, "", "/S"};

    std::vector<driver::Process> starts;
    for (int i = 0; i < 20; ++i) starts.push_back(scr.start(modes[i % modes.size()]));
    for (const driver::Process& start : starts) ASSERT_TRUE(start.started());

    const auto runningCount = [&] {
        return std::count_if(starts.begin(), starts.end(), [](const driver::Process& p) { return p.running(); });
    };
    ASSERT_TRUE(driver::WaitUntil([&] { return runningCount() <= 1; }, 60000)) << runningCount() << " still running";
    ASSERT_EQ(runningCount(), 1) << "every start was turned away";

    for (driver::Process& start : starts) {
        if (start.running())
            EXPECT_NE(start.window(L""), nullptr) << "the one that passed must show its window";
        else
            EXPECT_EQ(start.waitExit(0).code, 0u) << "a start that was turned away";
    }
    // The one left runs on; the driver ends it when the test is over.
    EXPECT_EQ(runningCount(), 1);
}

}  // namespace
