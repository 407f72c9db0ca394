// The preview, driven as the Display control panel drives it: a host starts
// the saver with "/p <area handle>", repaints, resizes or takes the area
// away, and the saver's child window must follow.
//
// Wine never shows on screen what a child window draws when its top-level
// window belongs to another process, as a real host's does: the place, size,
// parent and life of the preview are checked here in a real host program,
// the picture itself in preview_desktop_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver.h"
#include "preview_host.h"

namespace {

using driver::Process;
using driver::Quoted;
using driver::WindowAppears;

// One run of the preview host program (tests/preview_host) and the saver it
// started into its area.
struct HostProgram {
    HostProgram(int width, int height) {
        const std::string host = driver::ModuleDirectory() + "preview_host.exe";
        process = driver::Start(host, "preview_host " + std::to_string(width) + " " +
                                          std::to_string(height) + " " + Quoted(driver::BuiltScr()));
        top = driver::WaitWindow(process.id(), preview_host::TopClass, L"", WindowAppears);
        if (!top) return;
        area = reinterpret_cast<HWND>(request(preview_host::Area));
        // The host holds the saver's handle, so the id still names it even
        // if the saver has already ended.
        saver = driver::Open(static_cast<DWORD>(request(preview_host::SaverProcessId)));
    }
    ~HostProgram() {
        if (process.running()) {
            PostMessageW(top, WM_CLOSE, 0, 0);
            process.waitExit(WindowAppears);
        }
        saver.waitExit(WindowAppears);
    }

    bool ready() const { return top && area && saver.started(); }
    // The host came up, and the saver's child in its area: it exists hidden
    // until the saver's set-up has placed and shown it.
    testing::AssertionResult showsPreview() const {
        if (!ready()) return testing::AssertionFailure() << "the host did not come up";
        if (driver::WaitUntil([&] { return IsWindowVisible(preview()) != FALSE; }, WindowAppears))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the saver showed no child in the area";
    }

    LRESULT request(UINT what, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(top, what, wParam, lParam, SMTO_ABORTIFHUNG, WindowAppears, &result);
        return static_cast<LRESULT>(result);
    }

    HWND preview() const { return IsWindow(area) ? GetWindow(area, GW_CHILD) : nullptr; }
    size_t childCount() const { return driver::Children(area).size(); }

    Process process;
    Process saver;
    HWND top = nullptr;
    HWND area = nullptr;
};

// The saver's own child window, 152 x 112 (times the display's scale) at
// the area's top-left corner, shown, with the host still holding the focus.
void ExpectPreviewInPlace(HostProgram& host, const std::string& what) {
    const driver::WindowInfo preview = driver::Inspect(host.preview());
    ASSERT_NE(preview.handle, nullptr) << what << ": no preview window in the area";
    EXPECT_EQ(preview.processId, host.saver.id()) << what;
    EXPECT_EQ(preview.className, driver::WindowClass) << what;
    EXPECT_EQ(preview.text, driver::PreviewTitle) << what;
    EXPECT_TRUE(preview.style & WS_CHILD) << what;
    EXPECT_TRUE(preview.visible) << what;
    EXPECT_EQ(preview.parent, host.area) << what;
    EXPECT_EQ(host.childCount(), 1u) << what;

    const RECT area = driver::Inspect(host.area).clientRect;
    EXPECT_EQ(preview.rect.left - area.left, 0) << what << ": not at the area's left edge";
    EXPECT_EQ(preview.rect.top - area.top, 0) << what << ": not at the area's top edge";
    EXPECT_EQ(preview.width(), driver::DisplayScale()(152)) << what << ": the width must not follow the area";
    EXPECT_EQ(preview.height(), driver::DisplayScale()(112)) << what << ": the height must not follow the area";

    EXPECT_EQ(reinterpret_cast<HWND>(host.request(preview_host::Focus)), host.top)
        << what << ": the host lost the keyboard focus";
    EXPECT_EQ(GetForegroundWindow(), host.top) << what << ": the host is no longer in front";
}

TEST(PreviewInHost, ChildAtTheAreaCornerWhateverTheAreaSize) {
    const struct { SIZE start, resized; const char* what; } rows[] = {
        {{152, 112}, {400, 300}, "area of the picture's size, then larger"},
        {{300, 200}, {100, 80}, "larger area, then smaller"},
        {{100, 80}, {152, 112}, "smaller area, then the picture's size"},
    };
    const Scale scale = driver::DisplayScale();
    for (const auto& row : rows) {
        HostProgram host(scale(row.start.cx), scale(row.start.cy));
        ASSERT_TRUE(host.showsPreview()) << row.what;
        ExpectPreviewInPlace(host, row.what);

        host.request(preview_host::Resize, scale(row.resized.cx), scale(row.resized.cy));
        EXPECT_EQ(host.request(preview_host::Repaint), 1) << row.what << ": no paint after resizing";
        ExpectPreviewInPlace(host, std::string(row.what) + ", after resizing");
    }
}

TEST(PreviewInHost, HundredRepaintsLeaveTheGdiObjectCount) {
    HostProgram host(200, 150);
    ASSERT_TRUE(host.showsPreview());
    // One paint first: what the system makes on first use is not a leak.
    ASSERT_EQ(host.request(preview_host::Repaint), 1) << "the preview does not paint";
    const long before = driver::GdiObjectCount(host.saver.handle());
    ASSERT_GT(before, 0) << "cannot count the saver's GDI objects";

    int painted = 0;
    for (int i = 0; i < 100; ++i) painted += host.request(preview_host::Repaint) == 1;
    EXPECT_EQ(painted, 100);
    EXPECT_EQ(driver::GdiObjectCount(host.saver.handle()), before)
        << "GDI objects left behind by " << painted << " paints";
    EXPECT_TRUE(host.saver.running());
}

TEST(PreviewInHost, EndsWithCodeZeroWhenTheHostTakesItAway) {
    const struct { const char* what; std::function<void(HostProgram&)> takeAway; bool hostStays; } rows[] = {
        {"host window closed", [](HostProgram& h) { PostMessageW(h.top, WM_CLOSE, 0, 0); }, false},
        {"area destroyed", [](HostProgram& h) { h.request(preview_host::DestroyArea); }, true},
        {"WM_CLOSE to the preview window",
         [](HostProgram& h) { EXPECT_EQ(h.request(preview_host::ClosePreview), 1); }, true},
    };
    for (const auto& row : rows) {
        HostProgram host(200, 150);
        ASSERT_TRUE(host.showsPreview()) << row.what;
        row.takeAway(host);
        EXPECT_EQ(host.saver.waitExit(driver::ProcessEnds).problem(), "") << row.what;

        if (row.hostStays) {
            EXPECT_EQ(host.preview(), nullptr) << row.what << ": the preview window is still there";
            EXPECT_EQ(reinterpret_cast<HWND>(host.request(preview_host::Focus)), host.top)
                << row.what << ": the host no longer answers";
        } else {
            EXPECT_EQ(host.process.waitExit(WindowAppears).problem(), "") << row.what << ": the host";
        }
    }
}

TEST(PreviewInHost, SecondStartInAnyModeEndsAtOnce) {
    HostProgram host(200, 150);
    ASSERT_TRUE(host.showsPreview());
    const HWND preview = host.preview();

    const std::string scr = driver::BuiltScr();
    for (const std::string& arguments : {std::string("/s"), std::string("/c"), std::string(""),
                                         "/p " + std::to_string(HandleToULong(host.area)), std::string("/a")}) {
        Process second = driver::Start(scr, Quoted(scr) + (arguments.empty() ? "" : " " + arguments));
        EXPECT_EQ(second.waitExit(WindowAppears).problem(false), "") << "'" << arguments << "'";
    }

    // A second control panel asking for a preview of its own.
    HostProgram other(200, 150);
    ASSERT_TRUE(other.ready());
    EXPECT_EQ(other.saver.waitExit(WindowAppears).problem(), "") << "the second host's saver";
    EXPECT_EQ(other.preview(), nullptr) << "a second preview appeared";

    EXPECT_TRUE(host.saver.running()) << "the first preview ended";
    EXPECT_EQ(host.preview(), preview);
    EXPECT_EQ(host.childCount(), 1u);
}

}  // namespace
