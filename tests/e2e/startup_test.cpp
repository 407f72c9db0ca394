// Start-up and modes, driven as Windows drives a screen saver.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "driver.h"
#include "settings_window/rules.h"

namespace {

using driver::Process;
using driver::ProcessEnds;
using driver::Quoted;
using driver::WindowAppears;
using driver::WindowInfo;

// A top-level window with a child area, standing in for the Display control
// panel's preview box.
class PreviewHost {
public:
    PreviewHost() {
        const auto brush = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        top_ = driver::MakeWindow(L"PokTestHost", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 450, 350}, nullptr,
                                  brush);
        area_ = driver::MakeWindow(L"PokTestHost", 0, WS_CHILD | WS_VISIBLE, {20, 20, 172, 132}, top_, brush);
        driver::PumpMessages();
    }
    ~PreviewHost() {
        if (IsWindow(top_)) DestroyWindow(top_);
        driver::PumpMessages();
    }
    std::string handleText() const { return std::to_string(reinterpret_cast<UINT_PTR>(area_)); }
    HWND previewChild() const { return FindWindowExW(area_, nullptr, driver::WindowClass, nullptr); }
    HWND waitPreviewChild() const {
        driver::WaitUntil([&] { return previewChild() != nullptr; }, WindowAppears);
        return previewChild();
    }
    int childCount() const { return static_cast<int>(driver::Children(area_).size()); }

private:
    HWND top_ = nullptr;
    HWND area_ = nullptr;
};

void ExpectEndsAtOnceWithoutWindow(Process& process, const std::string& what) {
    ASSERT_TRUE(process.started()) << what;
    EXPECT_EQ(process.waitExit().problem(false), "") << what;
}

void CloseAndExpectCodeZero(Process& process, HWND window, const std::string& what) {
    driver::PostClose(window);
    EXPECT_EQ(process.waitExit().problem(), "") << what << ", after WM_CLOSE";
}

void EndSaverWithClick(Process& process, const std::string& what) {
    ASSERT_TRUE(driver::XClick(1)) << what;
    EXPECT_EQ(process.waitExit().problem(), "") << what << ", after a click";
}

// A saver start as far as its run, looked at there, and then ended by a click.
void RunSaverToAClick(Process& process, const std::string& what, const std::function<void()>& inRun = [] {}) {
    ASSERT_TRUE(driver::RunBegins(process)) << what;
    inRun();
    EndSaverWithClick(process, what);
}

TEST(ModeSelection, SaverSpellingsOpenTheTopmostMaximisedSaverWindow) {
    driver::ScrCopy saver("saver_spellings");
    for (const char* arguments : {"/s", "/S", "-s", "s ", "/s 1234"}) {
        Process process = saver.start(arguments);
        RunSaverToAClick(process, arguments, [&] {
            const WindowInfo info = driver::Inspect(process.window(driver::SaverTitle));
            EXPECT_TRUE(info.exStyle & WS_EX_TOPMOST) << arguments;
            EXPECT_TRUE(info.zoomed) << arguments;
            EXPECT_TRUE(info.style & WS_POPUP) << arguments;
            EXPECT_FALSE(info.style & (WS_CAPTION | WS_THICKFRAME)) << arguments;
            const RECT screen = driver::WholeScreen();
            EXPECT_TRUE(EqualRect(&info.rect, &screen)) << arguments << ": not the whole screen";
        });
    }
}

TEST(ModeSelection, SettingsSpellingsOpenTheSettingsWindowOwnedByTheHiddenMainWindow) {
    driver::ScrCopy saver("settings_spellings");
    const std::string scr = Quoted(saver.path());
    for (const std::string& commandLine :
         {scr + " /c", scr + " /C", scr + " /c:1234", scr, saver.path(), std::string("/r")}) {
        Process process = driver::Start(saver.path(), commandLine);
        HWND window = process.window(driver::SettingsTitle);
        ASSERT_NE(window, nullptr) << commandLine;
        const WindowInfo settings = driver::Inspect(window);
        EXPECT_EQ(settings.text, driver::SettingsTitle) << commandLine;

        const WindowInfo owner = driver::Inspect(settings.owner);
        EXPECT_EQ(owner.className, driver::MainWindowClass) << commandLine;
        EXPECT_EQ(owner.text, L"saver_sample") << commandLine;
        EXPECT_EQ(owner.processId, process.id()) << commandLine;
        EXPECT_FALSE(owner.visible) << commandLine << ": the main window must stay hidden";
        // The window shows a moment before its owner is disabled.
        EXPECT_TRUE(driver::WaitUntil([&] { return !IsWindowEnabled(owner.handle); }, WindowAppears))
            << commandLine << ": the main window must be disabled while settings are open";

        CloseAndExpectCodeZero(process, window, commandLine);
    }
}

TEST(ModeSelection, OtherLettersNoLetterAndAPreviewHandleNamingNoWindowEndAtOnce) {
    driver::ScrCopy saver("end_at_once");
    // A window that existed a moment ago, as when the host closes before the saver starts.
    HWND gone = driver::MakeWindow(L"PokGone", 0, WS_POPUP, {0, 0, 10, 10});
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    const std::string scr = Quoted(saver.path());
    const std::vector<std::string> commandLines = {
        scr + " /a", scr + " x", "/a", "x", Quoted(saver.folder().file("pok_v3.exe")), "1234", "/ : 12 -", "\"\"",
        scr + " /p 0", scr + " /p", scr + " /p 99999999", scr + " /p  1234", scr + " /p " + std::string(300, '9'),
        scr + " /p " + std::to_string(HandleToULong(gone))};
    for (const std::string& commandLine : commandLines) {
        Process process = driver::Start(saver.path(), commandLine);
        ExpectEndsAtOnceWithoutWindow(process, commandLine.substr(0, scr.size() + 20));
    }
}

TEST(ModeSelection, PreviewOpensAChildOfTheNamedWindow) {
    driver::ScrCopy saver("preview");
    PreviewHost host;
    for (const char* separator : {" ", ":"}) {
        Process process = saver.start(std::string("/p") + separator + host.handleText());
        const WindowInfo preview = driver::Inspect(host.waitPreviewChild());
        ASSERT_NE(preview.handle, nullptr) << "separator '" << separator << "'";
        EXPECT_EQ(preview.processId, process.id());
        EXPECT_EQ(preview.text, driver::PreviewTitle);
        EXPECT_TRUE(preview.style & WS_CHILD);
        CloseAndExpectCodeZero(process, preview.handle, "preview");
        driver::WaitUntil([&] { return host.previewChild() == nullptr; }, WindowAppears);
    }
}

TEST(ModeWindows, ClosingTheHiddenMainWindowEndsTheSettingsProcess) {
    driver::ScrCopy saver("close_main");
    Process process = saver.start("/c");
    HWND window = process.window(driver::SettingsTitle);
    ASSERT_NE(window, nullptr);
    CloseAndExpectCodeZero(process, driver::Inspect(window).owner, "WM_CLOSE to the main window");
}

// One running instance, in any mode, turns every later start away; once it
// has ended, the next start passes.
TEST(SingleInstance, WhileOneRunsEveryLaterStartEndsAtOnce) {
    driver::ScrCopy saver("single_instance");
    PreviewHost host;
    const auto close = [](Process& p, HWND window) { CloseAndExpectCodeZero(p, window, "WM_CLOSE"); };
    const struct {
        std::string arguments;
        std::function<HWND(const Process&)> window;  // the start's window, once shown
        std::function<void(Process&, HWND)> end;
    } modes[] = {
        {"/s", [](const Process& p) { return driver::RunBegins(p) ? p.window(driver::SaverTitle) : nullptr; },
         [](Process& p, HWND) { EndSaverWithClick(p, "saver"); }},
        {"/c", [](const Process& p) { return p.window(driver::SettingsTitle); }, close},
        {"/p " + host.handleText(), [&](const Process&) { return host.waitPreviewChild(); }, close},
    };
    const std::string later[] = {"/s", "/c", "/p " + host.handleText(), "/a", ""};

    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.arguments);
        Process first = saver.start(mode.arguments);
        HWND window = mode.window(first);
        ASSERT_NE(window, nullptr);
        const int childrenBefore = host.childCount();
        for (const std::string& arguments : later) {
            Process second = saver.start(arguments);
            ExpectEndsAtOnceWithoutWindow(second, mode.arguments + " then " + arguments);
        }
        EXPECT_EQ(host.childCount(), childrenBefore) << "a second preview appeared";
        mode.end(first, window);

        Process next = saver.start(mode.arguments);
        HWND again = mode.window(next);
        ASSERT_NE(again, nullptr) << "the start after the first ended must pass";
        mode.end(next, again);
    }
}

// A folder whose name the system's code page cannot spell (under 932, one
// whose characters end in the backslash byte): the saver finds its settings
// there, a second start from there is turned away, and OK writes there alone.
TEST(FolderName, OutsideTheCodePageStillHoldsTheSettings) {
    const std::string name = GetACP() == 932 ? "表ソ" : "犬小屋";
    driver::ScrCopy saver(name);
    saver.writeIni("[settei]\r\nBgColor=255\r\n");
    Process running = saver.start("/s");
    ASSERT_TRUE(driver::RunBegins(running, RGB(255, 0, 0))) << "the saver did not show the stored red";
    Process second = saver.start("/c");
    ExpectEndsAtOnceWithoutWindow(second, "a second start from " + name);
    EndSaverWithClick(running, "the saver");

    Process settings = saver.start("/c");
    HWND window = settings.window(driver::SettingsTitle);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(driver::XClickCentre(GetDlgItem(window, OkButtonId)));
    EXPECT_EQ(settings.waitExit().problem(), "");
    EXPECT_EQ(driver::IniKeys(driver::ReadFile(saver.ini()), "settei"),
              driver::IniKeys(driver::SettingsFile(255, 2, 8, 5, 25), "settei"));
    const std::string& folder = saver.folder().path();
    const std::string parent = folder.substr(0, folder.rfind('\\', folder.size() - 2) + 1);
    EXPECT_FALSE(driver::FileExists(parent + "pok_v3.ini")) << "a settings file beside the folder";
}

// Which of the libraries the .scr loads from the system folder a running
// process holds, in this order (" winmm.dll comctl32.dll comdlg32.dll"):
// what it really loaded, read from outside it.
std::string SystemLibrariesHeld(const Process& process) {
    std::set<std::wstring> modules;  // in lower case
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process.id());
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot != INVALID_HANDLE_VALUE && Module32FirstW(snapshot, &entry); more;
         more = Module32NextW(snapshot, &entry))
        modules.insert(CharLowerW(entry.szModule));
    if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
    if (!modules.count(L"kernel32.dll")) return "(its modules could not be read)";
    std::string names;
    for (const wchar_t* name : {L"winmm.dll", L"comctl32.dll", L"comdlg32.dll"})
        if (modules.count(name)) names += " " + driver::Utf8(name);
    return names;
}

// Wine's own way of choosing, by a program's file name, where its DLLs come
// from: "" never loaded, "native,builtin" a file beside it first. The
// program has a name of its own, so nothing else is touched, even if the
// key outlives a failed run.
class DllOverridesFor {
public:
    DllOverridesFor(const std::wstring& program, const std::vector<std::wstring>& libraries, const std::wstring& order)
        : key_(L"Software\\Wine\\AppDefaults\\" + program) {
        HKEY overrides = nullptr;
        RegCreateKeyW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), &overrides);
        for (const std::wstring& library : libraries)
            RegSetValueExW(overrides, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order.c_str()),
                           static_cast<DWORD>((order.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(overrides);
    }
    ~DllOverridesFor() {
        RegDeleteKeyW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
    }
    DllOverridesFor(const DllOverridesFor&) = delete;
    DllOverridesFor& operator=(const DllOverridesFor&) = delete;

private:
    std::wstring key_;
};

// Starts the copy in each mode and uses it as far as it loads its libraries,
// expecting the process to hold these of them (" winmm.dll comctl32.dll",
// or none): with them the colour button opens the colour dialog, which adds
// comdlg32; without them the settings window has no sliders and the button
// opens nothing. after(mode) follows each.
void UseEveryMode(const driver::ScrCopy& saver, const std::string& held,
                  const std::function<void(const std::string&)>& after = [](const std::string&) {}) {
    PreviewHost host;
    const bool present = !held.empty();
    const struct { std::string arguments; std::function<void(Process&)> use; } modes[] = {
        {"/s", [&](Process& p) { RunSaverToAClick(p, "saver", [&] { EXPECT_EQ(SystemLibrariesHeld(p), held); }); }},
        {"/c",
         [&](Process& p) {
             HWND window = p.window(driver::SettingsTitle);
             ASSERT_NE(window, nullptr);
             ASSERT_NE(GetDlgItem(window, OkButtonId), nullptr) << "the settings window has no OK button";
             const auto children = driver::Children(window);
             EXPECT_EQ(std::count_if(children.begin(), children.end(),
                                     [](const WindowInfo& child) { return child.className == L"msctls_trackbar32"; }),
                       present ? 4 : 0)
                 << "sliders in the settings window, comctl32 " << (present ? "there" : "missing");
             if (present) {
                 ASSERT_TRUE(driver::XClickCentre(GetDlgItem(window, ColourButtonId)));
                 HWND dialog = p.window(L"", driver::StandardDialogClass);
                 ASSERT_NE(dialog, nullptr) << "the colour dialog did not open";
                 EXPECT_EQ(SystemLibrariesHeld(p), held + " comdlg32.dll");
                 ASSERT_TRUE(driver::XClickCentre(GetDlgItem(dialog, IDCANCEL)));
                 EXPECT_TRUE(driver::WaitWindowGone(dialog, driver::Reaction));
             } else {
                 // Sent, so it returns once the click is handled; a dialog would hold it.
                 DWORD_PTR result = 0;
                 EXPECT_NE(SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(ColourButtonId, BN_CLICKED),
                                               reinterpret_cast<LPARAM>(GetDlgItem(window, ColourButtonId)),
                                               SMTO_NORMAL, driver::Reaction, &result), 0)
                     << "the colour button's click was not handled";
                 EXPECT_EQ(SystemLibrariesHeld(p), "") << "after the colour button";
                 EXPECT_TRUE(p.running()) << "the settings window's process ended on the colour button";
             }
             CloseAndExpectCodeZero(p, window, "settings");
         }},
        {"/p " + host.handleText(),
         [&](Process& p) {
             ASSERT_NE(host.waitPreviewChild(), nullptr) << "no preview";
             EXPECT_EQ(SystemLibrariesHeld(p), held);
             CloseAndExpectCodeZero(p, host.previewChild(), "preview");
         }},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.arguments);
        Process process = saver.start(mode.arguments);
        mode.use(process);
        after(mode.arguments);
    }
}

// A winmm.dll or comctl32.dll lying beside the saver, where Windows looks
// first for any DLL that is not one of its known ones, is never loaded, nor
// one that they import: not by the saver, the settings window with its
// colour dialog, or the preview, nor by the .scr's loading code on a Windows
// that cannot narrow the search.
TEST(SystemLibraries, PlantedBesideTheSaverAreNeverLoaded) {
    driver::ScrCopy saver("planted");
    const std::vector<std::string> planted = {"winmm.dll", "comctl32.dll", "msacm32.dll"};
    for (const std::string& name : planted)
        driver::CopyInto(driver::ModuleDirectory() + "planted\\" + name, saver.folder().file(name));
    // The planted libraries that were loaded since the last look.
    const auto loaded = [&] {
        std::string names;
        for (const std::string& name : planted) {
            const std::wstring marker = driver::Widen(saver.folder().file(name + ".loaded"));
            if (DeleteFileW(marker.c_str())) names += " " + name;
        }
        return names;
    };
    // A program that imports both by name loads them from there: the bed
    // has Wine take these two from beside the program first, as Windows does.
    const std::string control = saver.folder().file("imports_planted_names.exe");
    driver::CopyInto(driver::ModuleDirectory() + "imports_planted_names.exe", control);
    Process importer = driver::Start(control, Quoted(control));
    ASSERT_TRUE(importer.waitExit(ProcessEnds).ended);
    ASSERT_EQ(loaded(), " winmm.dll comctl32.dll") << "the bed did not make Wine take the files beside the program";

    // The .scr's own loading where the search is narrowed only as far as
    // Windows XP narrows it: there a load by name takes the planted file, and
    // the .scr's loader must take the system's, and what it imports from
    // there too (the bed takes only winmm and comctl32 from beside a program).
    const std::string unnarrowed = saver.folder().file("loads_winmm_unnarrowed.exe");
    driver::CopyInto(driver::ModuleDirectory() + "loads_winmm_unnarrowed.exe", unnarrowed);
    const DllOverridesFor besideFirst(L"loads_winmm_unnarrowed.exe", {L"msacm32"}, L"native,builtin");
    EXPECT_TRUE(driver::RunCapture(unnarrowed, Quoted(unnarrowed) + " bare", ProcessEnds).ended);
    ASSERT_EQ(loaded(), " winmm.dll")
        << "a load by name took the system's winmm.dll: the search was narrowed further than on XP";
    const driver::Captured throughLoader = driver::RunCapture(unnarrowed, Quoted(unnarrowed), ProcessEnds);
    EXPECT_EQ(loaded(), "") << "where Windows lacks SetDefaultDllDirectories the .scr loads what lies beside it";
    wchar_t systemFolder[MAX_PATH];
    GetSystemDirectoryW(systemFolder, MAX_PATH);
    const std::string system = driver::Utf8(systemFolder);
    EXPECT_STRCASEEQ(throughLoader.output.c_str(), (system + "\\winmm.dll\n" + system + "\\msacm32.dll\n").c_str())
        << "winmm, or what it imports, came from elsewhere than the system folder";

    // Each mode loads what it uses, from the system folder: the saver needs
    // winmm only where Windows lacks a precise timer of its own.
    UseEveryMode(saver, " comctl32.dll",
                 [&](const std::string& mode) { EXPECT_EQ(loaded(), "") << mode << " loaded what lay beside it"; });
}

// Where winmm, comctl32 or comdlg32 cannot be loaded, every mode goes on as
// after a failed call: the saver runs and ends, the settings window has no
// sliders and its colour button opens no dialog, the preview shows, and
// nothing crashes.
TEST(SystemLibraries, MissingOnesLeaveEveryModeWorking) {
    driver::ScrCopy saver("missing_libraries", "pok_v3.scr", "missing_libraries.scr");
    const DllOverridesFor disabled(L"missing_libraries.scr", {L"winmm", L"comctl32", L"comdlg32"}, L"");
    UseEveryMode(saver, "");
}

}  // namespace
