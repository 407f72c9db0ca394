// Start-up and modes, driven as Windows drives a screen saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"

namespace {

using driver::Process;
using driver::WindowInfo;

const std::wstring DialogClass = L"NORMALDLG";
const std::wstring SettingsTitle = L"Pokセーバー Ver.3.01";
constexpr DWORD WindowWait = 15000;  // a cold Wine start can take seconds
constexpr DWORD ExitWait = 15000;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A private copy of the saver per test, so each has its own settings file.
struct Installed {
    explicit Installed(const std::string& name) : folder(name), scr(folder.file("pok_v3.scr")) {
        driver::CopyInto(driver::BuiltScr(), scr);
    }
    Process start(const std::string& arguments) const {
        return driver::Start(scr, Quoted(scr) + (arguments.empty() ? "" : " " + arguments));
    }
    driver::TempFolder folder;
    std::string scr;
};

// A top-level window with a child area, standing in for the Display control
// panel's preview box.
class PreviewHost {
public:
    PreviewHost() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PokTestHost";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassW(&windowClass);
        top_ = CreateWindowExW(0, L"PokTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                               400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        area_ = CreateWindowExW(0, L"PokTestHost", L"area", WS_CHILD | WS_VISIBLE, 20, 20, 152,
                                112, top_, nullptr, GetModuleHandleW(nullptr), nullptr);
        driver::PumpMessages();
    }
    ~PreviewHost() {
        if (IsWindow(top_)) DestroyWindow(top_);
        driver::PumpMessages();
    }
    HWND area() const { return area_; }
    std::string handleText() const { return std::to_string(reinterpret_cast<UINT_PTR>(area_)); }
    HWND previewChild() const { return FindWindowExW(area_, nullptr, DialogClass.c_str(), nullptr); }
    int childCount() const { return static_cast<int>(driver::Children(area_).size()); }

private:
    HWND top_ = nullptr;
    HWND area_ = nullptr;
};

void ExpectEndsAtOnceWithoutWindow(Process& process, const std::string& what) {
    ASSERT_TRUE(process.started()) << what;
    const driver::ExitReport report = process.waitExit(ExitWait);
    EXPECT_TRUE(report.ended) << what << ": still running";
    EXPECT_EQ(report.code, 0u) << what;
    EXPECT_FALSE(report.showedWindow) << what << ": showed a window";
}

void CloseAndExpectCodeZero(Process& process, HWND window, const std::string& what) {
    driver::PostClose(window);
    const driver::ExitReport report = process.waitExit(ExitWait);
    EXPECT_TRUE(report.ended) << what << ": WM_CLOSE did not end the process";
    EXPECT_EQ(report.code, 0u) << what;
}

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Once its run has begun (the whole screen in the default background colour)
// the saver dispatches no message any more and only input ends it: a click.
void EndSaverWithClick(Process& process, const std::string& what) {
    const RECT screen = Screen();
    const bool running = driver::WaitUntil(
        [&] {
            for (COLORREF pixel : driver::GrabScreen(screen).data)
                if (pixel != RGB(0x80, 0xFF, 0xFF)) return false;
            return true;
        },
        WindowWait);
    EXPECT_TRUE(running) << what << ": the saver's background never filled the screen";
    ASSERT_TRUE(driver::XClick(1)) << what;
    const driver::ExitReport report = process.waitExit(ExitWait);
    EXPECT_TRUE(report.ended) << what << ": a click did not end the saver";
    EXPECT_EQ(report.code, 0u) << what;
}

TEST(ModeSelection, SaverSpellingsOpenTheTopmostMaximisedSaverWindow) {
    Installed saver("saver_spellings");
    for (const char* arguments : {"/s", "/S", "-s", "s ", "/s 1234"}) {
        Process process = saver.start(arguments);
        HWND window = driver::WaitWindow(process.id(), DialogClass, L"Saver", WindowWait);
        ASSERT_NE(window, nullptr) << arguments;
        const WindowInfo info = driver::Inspect(window);
        EXPECT_TRUE(info.exStyle & WS_EX_TOPMOST) << arguments;
        EXPECT_TRUE(info.zoomed) << arguments;
        EXPECT_TRUE(info.style & WS_POPUP) << arguments;
        EXPECT_FALSE(info.style & (WS_CAPTION | WS_THICKFRAME)) << arguments;
        const RECT screen = Screen();
        EXPECT_TRUE(EqualRect(&info.rect, &screen)) << arguments << ": not the whole screen";
        EndSaverWithClick(process, arguments);
    }
}

TEST(ModeSelection, SettingsSpellingsOpenTheSettingsWindowOwnedByTheHiddenMainWindow) {
    Installed saver("settings_spellings");
    const std::vector<std::pair<std::string, std::string>> commandLines = {
        {"/c", Quoted(saver.scr) + " /c"},
        {"/C", Quoted(saver.scr) + " /C"},
        {"/c:1234", Quoted(saver.scr) + " /c:1234"},
        {"quoted path", Quoted(saver.scr)},
        {"bare path", saver.scr},
        {"/r", "/r"},
    };
    for (const auto& [what, commandLine] : commandLines) {
        Process process = driver::Start(saver.scr, commandLine);
        HWND window = driver::WaitWindow(process.id(), DialogClass, SettingsTitle, WindowWait);
        ASSERT_NE(window, nullptr) << what;
        const WindowInfo settings = driver::Inspect(window);
        EXPECT_EQ(settings.text, SettingsTitle) << what;

        const WindowInfo owner = driver::Inspect(settings.owner);
        EXPECT_EQ(owner.className, L"NORMAL0") << what;
        EXPECT_EQ(owner.text, L"saver_sample") << what;
        EXPECT_EQ(owner.processId, process.id()) << what;
        EXPECT_FALSE(owner.visible) << what << ": the main window must stay hidden";
        // The window shows a moment before its owner is disabled.
        EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowEnabled(owner.handle); }, WindowWait))
            << what << ": the main window must be disabled while settings are open";

        CloseAndExpectCodeZero(process, window, what);
    }
}

TEST(ModeSelection, OtherLettersAndNoLetterEndAtOnce) {
    Installed saver("other_letters");
    const std::string exePath = saver.folder.file("pok_v3.exe");
    const std::vector<std::string> commandLines = {
        Quoted(saver.scr) + " /a", Quoted(saver.scr) + " x", "/a", "x", Quoted(exePath), "1234",
        "/ : 12 -", "\"\""};
    for (const std::string& commandLine : commandLines) {
        Process process = driver::Start(saver.scr, commandLine);
        ExpectEndsAtOnceWithoutWindow(process, commandLine);
    }
}

TEST(ModeSelection, PreviewHandleThatNamesNoWindowEndsAtOnce) {
    Installed saver("bad_preview");
    const std::vector<std::string> argumentLists = {"/p 0", "/p", "/p 99999999", "/p  1234",
                                                    "/p " + std::string(300, '9')};
    for (const std::string& arguments : argumentLists) {
        Process process = saver.start(arguments);
        ExpectEndsAtOnceWithoutWindow(process, arguments.substr(0, 20));
    }
}

TEST(ModeSelection, PreviewOpensAChildOfTheNamedWindow) {
    Installed saver("preview");
    PreviewHost host;
    for (const char* separator : {" ", ":"}) {
        Process process = saver.start(std::string("/p") + separator + host.handleText());
        ASSERT_TRUE(driver::WaitUntil([&] { return host.previewChild() != nullptr; }, WindowWait))
            << "separator '" << separator << "'";
        const WindowInfo preview = driver::Inspect(host.previewChild());
        EXPECT_EQ(preview.processId, process.id());
        EXPECT_EQ(preview.text, L"Preview");
        EXPECT_TRUE(preview.style & WS_CHILD);
        CloseAndExpectCodeZero(process, preview.handle, "preview");
        driver::WaitUntil([&] { return host.previewChild() == nullptr; }, WindowWait);
    }
}

TEST(ModeWindows, ClosingTheHiddenMainWindowEndsTheSettingsProcess) {
    Installed saver("close_main");
    Process process = saver.start("/c");
    HWND window = driver::WaitWindow(process.id(), DialogClass, SettingsTitle, WindowWait);
    ASSERT_NE(window, nullptr);
    CloseAndExpectCodeZero(process, driver::Inspect(window).owner, "WM_CLOSE to the main window");
}

// One running instance, in any mode, turns every later start away.
class SingleInstance : public ::testing::Test {
protected:
    Installed saver{"single_instance"};
    PreviewHost host;

    std::vector<std::string> everyMode() const {
        return {"/s", "/c", "/p " + host.handleText(), "/a", ""};
    }

    void expectSecondStartsTurnedAway(const std::string& first) {
        const int childrenBefore = host.childCount();
        for (const std::string& arguments : everyMode()) {
            Process second = saver.start(arguments);
            ExpectEndsAtOnceWithoutWindow(second, first + " then " + arguments);
        }
        EXPECT_EQ(host.childCount(), childrenBefore) << first << ": a second preview appeared";
    }
};

TEST_F(SingleInstance, WhileTheSaverRuns) {
    Process first = saver.start("/s");
    HWND window = driver::WaitWindow(first.id(), DialogClass, L"Saver", WindowWait);
    ASSERT_NE(window, nullptr);
    expectSecondStartsTurnedAway("/s");
    EndSaverWithClick(first, "first saver");

    Process next = saver.start("/s");
    HWND again = driver::WaitWindow(next.id(), DialogClass, L"Saver", WindowWait);
    ASSERT_NE(again, nullptr) << "the start after the first ended must pass";
    EndSaverWithClick(next, "next saver");
}

TEST_F(SingleInstance, WhileTheSettingsWindowIsOpen) {
    Process first = saver.start("/c");
    HWND window = driver::WaitWindow(first.id(), DialogClass, SettingsTitle, WindowWait);
    ASSERT_NE(window, nullptr);
    expectSecondStartsTurnedAway("/c");
    CloseAndExpectCodeZero(first, window, "first settings");

    Process next = saver.start("/c");
    HWND again = driver::WaitWindow(next.id(), DialogClass, SettingsTitle, WindowWait);
    ASSERT_NE(again, nullptr) << "the start after the first ended must pass";
    CloseAndExpectCodeZero(next, again, "next settings");
}

TEST_F(SingleInstance, WhileThePreviewRuns) {
    Process first = saver.start("/p " + host.handleText());
    ASSERT_TRUE(driver::WaitUntil([&] { return host.previewChild() != nullptr; }, WindowWait));
    HWND preview = host.previewChild();
    expectSecondStartsTurnedAway("/p");
    CloseAndExpectCodeZero(first, preview, "first preview");

    Process next = saver.start("/c");
    HWND again = driver::WaitWindow(next.id(), DialogClass, SettingsTitle, WindowWait);
    ASSERT_NE(again, nullptr) << "the start after the preview ended must pass";
    CloseAndExpectCodeZero(next, again, "settings after preview");
}

}  // namespace
