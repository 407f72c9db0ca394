// The saver on a desk of two monitors side by side (the bed's 1024x768+800x600):
// each runs the show on its own size, the primary's as on one monitor, and
// input over either ends the saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/resources.h"
#include "saver_screen.h"

namespace {

using driver::Process;
using namespace saver_screen;

constexpr RECT Primary = {0, 0, 1024, 768};
constexpr RECT Other = {1024, 0, 1824, 600};
constexpr COLORREF Background = RGB(0xC0, 0x20, 0x60);

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(Text(*area));
    return TRUE;
}

std::vector<std::string> Monitors() {
    std::vector<std::string> found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
}

class TwoMonitors : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Monitors(), (std::vector<std::string>{Text(Primary), Text(Other)}))
            << "the bed must offer two monitors";
        // One dog hopping on the spot, frames of 55 ms.
        copy_.writeIni(driver::SettingsFile(Background, 0, 0, 0, 150));
    }

    // Starts the saver and waits until its run has begun: the other monitor
    // plain and the primary too (the run's own first frame, so from here on
    // input is polled for). Returns how long the other monitor took from the
    // saver window's appearance, in ms.
    DWORD StartRunning() {
        saver_ = copy_.start("/s");
        window_ = saver_.window(driver::SaverTitle);
        EXPECT_NE(window_, nullptr);
        const DWORD shown = GetTickCount();
        EXPECT_TRUE(driver::WaitPixels(Other, Background, driver::IntroStep))
            << "the other monitor never showed only the background";
        const DWORD latency = GetTickCount() - shown;
        EXPECT_NE(WaitForAnyScreen({Screen(Background)}, driver::IntroStep), 0u)
            << "the primary never showed only the background";
        return latency;
    }

    driver::ScrCopy copy_{"other_monitors"};
    Process saver_;
    HWND window_ = nullptr;
};

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// Each monitor shows the title card in its middle, then the dog hopping in
// its middle: the primary exactly as on a desk of one monitor.
TEST_F(TwoMonitors, EachRunsTheShowOnItsOwnSize) {
    driver::Pixels card, sheet;
    ASSERT_TRUE(driver::PictureShown(copy_.path(), TitleCardId, card));
    ASSERT_TRUE(driver::PictureShown(copy_.path(), SpriteSheetId, sheet));
    ASSERT_TRUE(driver::XMovePointer(1400, 300));
    const DWORD latency = StartRunning();
    EXPECT_LE(latency, 1000u) << "the other monitor later than a second after the saver window";
    EXPECT_EQ(Text(driver::Inspect(window_).rect), Text(Primary)) << "the saver window stays on the primary alone";

    for (const RECT& monitor : {Primary, Other})
        EXPECT_NE(WaitForAnyScreen({TitleScreen(Background, card, SizeOf(monitor))}, driver::IntroStep, monitor), 0u)
            << "no title card alone in the middle of " << Text(monitor);
    for (const RECT& monitor : {Primary, Other}) {
        const std::vector<Screen> poses = DogOnTheSpot(Background, sheet, SizeOf(monitor));
        for (int pose : {0, 2})  // both, so the dog moves
            EXPECT_NE(WaitForAnyScreen({poses[pose]}, driver::IntroStep, monitor), 0u)
                << "pose " << pose << " of the dog never alone in the middle of " << Text(monitor);
    }
    EXPECT_FALSE(CursorShowing()) << "the cursor must be hidden over the other monitor";

    ASSERT_TRUE(driver::XKey("Escape"));
    EXPECT_EQ(saver_.waitExit().problem(), "");
}

// The saver compares the pointer at each wake with its last reading.
// Outside a virtual desktop Wine hands a new position to the saver's own
// thread only as it reads its queue, and a single move may go unseen (on the
// primary as much as on the other). Moves are therefore repeated, each after
// the last had time to be seen; keys and buttons wait in the queue and are
// made once.
TEST_F(TwoMonitors, InputOverEitherMonitorEndsTheSaver) {
    const struct { const char* what; POINT pointerAt; std::function<bool(int attempt)> act; int attempts; } inputs[] = {
        {"a two-pixel move within the other monitor", {1400, 300},
         [](int attempt) { return driver::XMovePointerBy(attempt % 2 ? -2 : 2, 0); }, 12},
        {"a move from the primary onto the other", {1000, 300},
         [](int attempt) { return driver::XMovePointer(attempt % 2 ? 1000 : 1100, 300); }, 12},
        {"a key with the pointer on the other", {1400, 300}, [](int) { return driver::XKey("a"); }, 1},
        {"a click on the other", {1400, 300}, [](int) { return driver::XClick(1); }, 1},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.what);
        ASSERT_TRUE(driver::XMovePointer(input.pointerAt.x, input.pointerAt.y));
        StartRunning();
        int attempt = 0;
        for (; attempt < input.attempts; ++attempt) {
            ASSERT_TRUE(input.act(attempt));
            if (saver_.waitExit(driver::ProcessEnds / 10).ended) break;
        }
        EXPECT_LT(attempt, input.attempts) << "never ended";
        EXPECT_EQ(saver_.waitExit().problem(), "");
        RecordProperty(input.what, attempt + 1);
    }
}

}  // namespace
