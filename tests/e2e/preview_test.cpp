// The preview, driven as the Display control panel drives it: a host starts
// the saver with "/p <area handle>", repaints, resizes or takes the area
// away, and the saver's child window must follow.
//
// Wine never shows on screen what a child window draws when its top-level
// window belongs to another process, as a real host's does. So the picture
// itself is read from a preview whose host is the desktop window (its area
// is the whole screen, and its child reaches the screen), while the place,
// size, parent and life of the preview are checked in a real host program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "driver.h"
#include "preview_host.h"

namespace {

using driver::Process;
using driver::WindowInfo;

constexpr int PictureWidth = 152;
constexpr int PictureHeight = 112;
constexpr int PreviewPictureId = 102;
constexpr DWORD StartWait = 15000;  // a cold Wine start can take seconds
constexpr DWORD Moment = 5000;      // what "ends at once" may take on two busy cores
constexpr UINT RequestWait = 20000;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string HandleText(HWND window) { return std::to_string(HandleToULong(window)); }

// "" when every pixel is as expected, else how many differ and the first.
std::string Differences(const driver::Pixels& seen, const std::function<COLORREF(int, int)>& expected) {
    int count = 0;
    std::string first;
    for (int y = seen.top; y < seen.top + seen.height; ++y)
        for (int x = seen.left; x < seen.left + seen.width; ++x) {
            if (seen.at(x, y) == expected(x, y)) continue;
            if (count++ == 0) {
                char text[96];
                wsprintfA(text, "first at (%d, %d): %06lX where %06lX was expected", x, y,
                          static_cast<unsigned long>(seen.at(x, y)),
                          static_cast<unsigned long>(expected(x, y)));
                first = text;
            }
        }
    return count ? std::to_string(count) + " pixels differ, " + first : "";
}

// One run of the preview host program (tests/preview_host) and the saver it
// started into its area.
class HostProgram {
public:
    HostProgram(int width, int height) {
        const std::string host = driver::ModuleDirectory() + "preview_host.exe";
        process_ = driver::Start(host, "preview_host " + std::to_string(width) + " " +
                                           std::to_string(height) + " " + Quoted(driver::BuiltScr()));
        top_ = driver::WaitWindow(process_.id(), preview_host::TopClass, L"", StartWait);
        if (!top_) return;
        area_ = reinterpret_cast<HWND>(request(preview_host::Area));
        // The host holds the saver's handle, so the id still names it even
        // if the saver has already ended.
        saver_ = driver::Open(static_cast<DWORD>(request(preview_host::SaverProcessId)));
    }
    ~HostProgram() {
        if (process_.running()) {
            PostMessageW(top_, WM_CLOSE, 0, 0);
            process_.waitExit(StartWait);
        }
        saver_.waitExit(StartWait);
    }
    HostProgram(const HostProgram&) = delete;
    HostProgram& operator=(const HostProgram&) = delete;

    bool ready() const { return top_ && area_ && saver_.started(); }
    // The child exists hidden until the saver's set-up has placed and shown it.
    bool waitPreview() const {
        return driver::WaitUntil([&] { return IsWindowVisible(preview()) != FALSE; }, StartWait);
    }

    LRESULT request(UINT what, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(top_, what, wParam, lParam, SMTO_ABORTIFHUNG, RequestWait, &result);
        return static_cast<LRESULT>(result);
    }

    HWND top() const { return top_; }
    HWND area() const { return area_; }
    HWND preview() const { return IsWindow(area_) ? GetWindow(area_, GW_CHILD) : nullptr; }
    size_t childCount() const { return driver::Children(area_).size(); }
    Process& process() { return process_; }
    Process& saver() { return saver_; }

private:
    Process process_;
    Process saver_;
    HWND top_ = nullptr;
    HWND area_ = nullptr;
};

// The saver's own child window, 152 x 112 at the area's top-left corner,
// shown, with the host still holding the focus.
void ExpectPreviewInPlace(HostProgram& host, const std::string& what) {
    const WindowInfo preview = driver::Inspect(host.preview());
    ASSERT_NE(preview.handle, nullptr) << what << ": no preview window in the area";
    EXPECT_EQ(preview.processId, host.saver().id()) << what;
    EXPECT_EQ(preview.className, L"NORMALDLG") << what;
    EXPECT_EQ(preview.text, L"Preview") << what;
    EXPECT_TRUE(preview.style & WS_CHILD) << what;
    EXPECT_TRUE(preview.visible) << what;
    EXPECT_EQ(preview.parent, host.area()) << what;
    EXPECT_EQ(host.childCount(), 1u) << what;

    const RECT area = driver::Inspect(host.area()).clientRect;
    EXPECT_EQ(preview.rect.left - area.left, 0) << what << ": not at the area's left edge";
    EXPECT_EQ(preview.rect.top - area.top, 0) << what << ": not at the area's top edge";
    EXPECT_EQ(preview.width(), PictureWidth) << what << ": the width must not follow the area";
    EXPECT_EQ(preview.height(), PictureHeight) << what << ": the height must not follow the area";

    EXPECT_EQ(reinterpret_cast<HWND>(host.request(preview_host::Focus)), host.top())
        << what << ": the host lost the keyboard focus";
    EXPECT_EQ(GetForegroundWindow(), host.top()) << what << ": the host is no longer in front";
}

TEST(PreviewInHost, ChildAtTheAreaCornerWhateverTheAreaSize) {
    struct Row {
        SIZE start, resized;
        const char* what;
    };
    const Row rows[] = {
        {{152, 112}, {400, 300}, "area of the picture's size, then larger"},
        {{300, 200}, {100, 80}, "larger area, then smaller"},
        {{100, 80}, {152, 112}, "smaller area, then the picture's size"},
    };
    for (const Row& row : rows) {
        HostProgram host(row.start.cx, row.start.cy);
        ASSERT_TRUE(host.ready()) << row.what << ": the host did not come up";
        ASSERT_TRUE(host.waitPreview()) << row.what << ": the saver showed no child in the area";
        ExpectPreviewInPlace(host, row.what);

        host.request(preview_host::Resize, row.resized.cx, row.resized.cy);
        EXPECT_EQ(host.request(preview_host::Repaint), 1) << row.what << ": no paint after resizing";
        ExpectPreviewInPlace(host, std::string(row.what) + ", after resizing");
    }
}

// The desktop as host: its area is the screen, of the size the test bed
// gave (larger than the picture, or smaller in the small-desktop run).
TEST(PreviewOnTheDesktop, PictureAtTheTopLeftPixelForPixelAndTheHostElsewhere) {
    const driver::Pixels picture = driver::ResourceBitmap(driver::BuiltScr(), PreviewPictureId);
    ASSERT_EQ(picture.width, PictureWidth) << "the .scr holds no preview picture " << PreviewPictureId;
    ASSERT_EQ(picture.height, PictureHeight);

    // The picture and a band of the host's own background to its right and below.
    const RECT seen = {0, 0, std::min(GetSystemMetrics(SM_CXSCREEN), PictureWidth + 24),
                       std::min(GetSystemMetrics(SM_CYSCREEN), PictureHeight + 24)};
    // The bed's desktop is plain; windows of earlier tests may take a moment
    // to leave it.
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    std::string differences;
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
            differences = Differences(driver::GrabScreen(seen), [&](int, int) { return desktop; });
            return differences.empty();
        },
        StartWait))
        << "the desktop is not plain before the preview starts: " << differences;
    auto expected = [&](int x, int y) {
        return x < PictureWidth && y < PictureHeight ? picture.at(x, y) : desktop;
    };

    const std::string scr = driver::BuiltScr();
    Process saver = driver::Start(scr, Quoted(scr) + " /p " + HandleText(GetDesktopWindow()));
    HWND preview = driver::WaitWindow(saver.id(), L"NORMALDLG", L"Preview", StartWait);
    ASSERT_NE(preview, nullptr) << "no preview window on the desktop";

    const bool shown = driver::WaitUntil(
        [&] { return (differences = Differences(driver::GrabScreen(seen), expected)).empty(); }, StartWait);
    EXPECT_TRUE(shown) << differences;

    driver::PostClose(preview);
    const driver::ExitReport report = saver.waitExit(Moment);
    EXPECT_TRUE(report.ended);
    EXPECT_EQ(report.code, 0u);
}

TEST(PreviewInHost, HundredRepaintsLeaveTheGdiObjectCount) {
    HostProgram host(200, 150);
    ASSERT_TRUE(host.ready());
    ASSERT_TRUE(host.waitPreview());
    // One paint first: what the system makes on first use is not a leak.
    ASSERT_EQ(host.request(preview_host::Repaint), 1) << "the preview does not paint";
    const long before = driver::GdiObjectCount(host.saver().handle());
    ASSERT_GT(before, 0) << "cannot count the saver's GDI objects";

    int painted = 0;
    for (int i = 0; i < 100; ++i) painted += host.request(preview_host::Repaint) == 1;
    EXPECT_EQ(painted, 100);
    EXPECT_EQ(driver::GdiObjectCount(host.saver().handle()), before)
        << "GDI objects left behind by " << painted << " paints";
    EXPECT_TRUE(host.saver().running());
}

TEST(PreviewInHost, EndsWithCodeZeroWhenTheHostTakesItAway) {
    struct Row {
        const char* what;
        std::function<void(HostProgram&)> takeAway;
        bool hostStays;
    };
    const Row rows[] = {
        {"host window closed", [](HostProgram& h) { PostMessageW(h.top(), WM_CLOSE, 0, 0); }, false},
        {"area destroyed", [](HostProgram& h) { h.request(preview_host::DestroyArea); }, true},
        {"WM_CLOSE to the preview window",
         [](HostProgram& h) { EXPECT_EQ(h.request(preview_host::ClosePreview), 1); }, true},
    };
    for (const Row& row : rows) {
        HostProgram host(200, 150);
        ASSERT_TRUE(host.ready()) << row.what;
        ASSERT_TRUE(host.waitPreview()) << row.what;

        row.takeAway(host);
        const driver::ExitReport report = host.saver().waitExit(Moment);
        EXPECT_TRUE(report.ended) << row.what << ": the saver still runs after " << Moment << " ms";
        EXPECT_EQ(report.code, 0u) << row.what;

        if (row.hostStays) {
            EXPECT_EQ(host.preview(), nullptr) << row.what << ": the preview window is still there";
            EXPECT_EQ(reinterpret_cast<HWND>(host.request(preview_host::Focus)), host.top())
                << row.what << ": the host no longer answers";
        } else {
            const driver::ExitReport hostReport = host.process().waitExit(StartWait);
            EXPECT_TRUE(hostReport.ended && hostReport.code == 0) << row.what << ": the host did not end";
        }
    }
}

TEST(PreviewInHost, SecondStartInAnyModeEndsAtOnce) {
    HostProgram host(200, 150);
    ASSERT_TRUE(host.ready());
    ASSERT_TRUE(host.waitPreview());
    const HWND preview = host.preview();

    const std::string scr = driver::BuiltScr();
    for (const std::string& arguments : {std::string("/s"), std::string("/c"), std::string(""),
                                         "/p " + HandleText(host.area()), std::string("/a")}) {
        Process second = driver::Start(scr, Quoted(scr) + (arguments.empty() ? "" : " " + arguments));
        const driver::ExitReport report = second.waitExit(StartWait);
        EXPECT_TRUE(report.ended) << "'" << arguments << "': still running";
        EXPECT_EQ(report.code, 0u) << "'" << arguments << "'";
        EXPECT_FALSE(report.showedWindow) << "'" << arguments << "': showed a window";
    }

    // A second control panel asking for a preview of its own.
    HostProgram other(200, 150);
    ASSERT_TRUE(other.ready());
    const driver::ExitReport report = other.saver().waitExit(StartWait);
    EXPECT_TRUE(report.ended && report.code == 0) << "the second host's saver did not end with 0";
    EXPECT_EQ(other.preview(), nullptr) << "a second preview appeared";

    EXPECT_TRUE(host.saver().running()) << "the first preview ended";
    EXPECT_EQ(host.preview(), preview);
    EXPECT_EQ(host.childCount(), 1u);
}

TEST(PreviewHandle, NamingNoWindowEndsAtOnce) {
    // A window that existed a moment ago, as when the host closes before the saver starts.
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    const std::string goneText = HandleText(gone);
    DestroyWindow(gone);

    const std::string scr = driver::BuiltScr();
    for (const std::string& arguments : {std::string("/p 0"), "/p " + goneText}) {
        Process process = driver::Start(scr, Quoted(scr) + " " + arguments);
        const driver::ExitReport report = process.waitExit(StartWait);
        EXPECT_TRUE(report.ended) << arguments << ": still running";
        EXPECT_EQ(report.code, 0u) << arguments;
        EXPECT_FALSE(report.showedWindow) << arguments;
    }
}

}  // namespace
