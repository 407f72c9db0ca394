// The Windows-side test driver: acts as the user and the operating system do
// towards pok_v3.scr, from a program running in the same Wine desktop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/scale.h"

namespace driver {

// ---- What every test agrees on -----------------------------------------
// The saver's windows as the system lists them: the saver, settings and
// preview windows share one class; the hidden main window has its own.
constexpr wchar_t WindowClass[] = L"NORMALDLG";
constexpr wchar_t MainWindowClass[] = L"NORMAL0";
constexpr wchar_t SettingsTitle[] = L"Pokセーバー Ver.3.01";
constexpr wchar_t SaverTitle[] = L"Saver";
constexpr wchar_t PreviewTitle[] = L"Preview";
constexpr wchar_t StandardDialogClass[] = L"#32770";  // the colour dialog and message boxes
constexpr COLORREF DefaultBackground = RGB(0x80, 0xFF, 0xFF);  // light cyan, without a settings file

// The display's scale, as the bed set its dots per inch (96 unless told).
Scale DisplayScale();
// The settings window's font, ＭＳ Ｐゴシック of 12 pixels at 96 dpi, at a height in pixels.
HFONT CreateSettingsFont(int height = DisplayScale()(12));

// The bounds of every wait: a failure fails within them, a pass never waits them out.
constexpr DWORD WindowAppears = 15000;  // a cold Wine start can take seconds
constexpr DWORD ProcessEnds = 10000;    // "at once", on two busy cores
constexpr DWORD Reaction = 10000;       // a window answering input or a message
constexpr DWORD IntroStep = 30000;      // any one step of the saver's intro, at the slowest speed

// ---- Files and folders -------------------------------------------------
std::string ModuleDirectory();  // folder of the running test program, with backslash
std::string BuiltScr();         // the pok_v3.scr built beside the test programs

// A fresh, empty folder under the Windows temp folder (any name), removed
// with its files when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }  // with backslash
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// A path as a command line names a program: in double quotes.
std::string Quoted(const std::string& path);
// A word as /bin/sh reads it literally: in single quotes.
std::string ShellQuoted(const std::string& word);

std::string ReadFile(const std::string& path);                 // "" if missing
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
void CopyInto(const std::string& source, const std::string& target);

// Keys of one INI section in file order: the order matters, not the bytes.
using Keys = std::vector<std::pair<std::string, std::string>>;
Keys IniKeys(const std::string& bytes, const std::string& section);
// A settings file with the five keys in the order the program writes them.
std::string SettingsFile(long long background, long long hiki, long long dx0, long long dy0, long long weight);
// The file held open without write sharing: no one can write it until closed.
HANDLE HoldOpen(const std::string& path);

// ---- Processes ---------------------------------------------------------
// The desktop this thread's windows live on, as "WinSta0\\name": the test
// bed's virtual desktop.
std::string ThisDesktop();

struct ExitReport {
    bool ended;              // false: still running when the wait gave up
    DWORD code;
    bool showedWindow;       // a visible top-level window of it was seen while waiting
    // "" for an end with code 0 (and, unless allowed, no window shown); else
    // what went wrong, as a test failure should say it.
    std::string problem(bool windowAllowed = true) const;
};

// A started program; terminated on destruction if it still runs, so a
// failing test never leaves a saver holding the instance mutex.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    bool started() const { return handle_ != nullptr; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return handle_; }
    bool running() const;
    // Waits for a visible top-level window of it with this title (any if
    // empty) and class; nullptr if none came in time.
    HWND window(const std::wstring& title, const std::wstring& className = WindowClass) const;
    ExitReport waitExit(DWORD timeoutMs = ProcessEnds);
    void kill();

private:
    friend Process Launch(const std::string&, const std::string&, STARTUPINFOW&, BOOL, DWORD);
    friend Process Open(DWORD);
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Starts application with exactly this command line (it need not name the
// program: the system passes whatever it likes).
Process Start(const std::string& application, const std::string& commandLine);

// A fresh folder of its own holding a copy of a program built beside the
// tests (pok_v3.scr unless named), so that each test has its own settings
// file; removed with the folder.
class ScrCopy {
public:
    explicit ScrCopy(const std::string& folderName, const std::string& built = "pok_v3.scr",
                     const std::string& copyName = "");
    const std::string& path() const { return path_; }
    const TempFolder& folder() const { return folder_; }
    std::string ini() const { return folder_.file("pok_v3.ini"); }
    void writeIni(const std::string& bytes) const { WriteFile(ini(), bytes); }
    // Started as the system starts it: the quoted path, then the arguments.
    Process start(const std::string& arguments) const;

private:
    TempFolder folder_;
    std::string path_;
};

// A process that some other program started (a preview host starts the
// saver), held like one of ours from now on; not started() if it cannot be
// opened.
Process Open(DWORD processId);

// Whether the saver's run has begun: its window shown, then the whole screen
// in the background colour, drawn by the run itself (the window's own erase
// is grey). From then on it dispatches no message any more and only input
// ends it.
testing::AssertionResult RunBegins(const Process& saver, COLORREF background = DefaultBackground,
                                   DWORD timeoutMs = WindowAppears);

// GDI objects the process holds now; -1 if they cannot be read.
long GdiObjectCount(HANDLE process);

// Runs a console program to its end, capturing what it writes.
struct Captured {
    bool ended;
    DWORD code;
    std::string output;
};
Captured RunCapture(const std::string& application, const std::string& commandLine, DWORD timeoutMs);

// Runs a command of the Linux host (xdotool and the like) through /bin/sh
// and waits for it; returns its exit status, or -1 on timeout.
int RunHost(const std::string& shellCommand, DWORD timeoutMs);

// The same in two halves, for a host command that must already run while we
// act (a watcher of the screen): StartHost does not wait, WaitHost gives
// the status, or -1 if it did not start or end in time.
struct HostJob {
    std::string marker;  // Windows path of the file the status is left in; "" if not started
};
HostJob StartHost(const std::string& shellCommand);
int WaitHost(const HostJob& job, DWORD timeoutMs);
std::string WindowsPath(const std::string& hostPath);  // "Z:\..." for a Linux path
// A Linux path in this bed's own scratch folder: Windows process ids repeat
// across beds running side by side, so no name is unique by one alone.
std::string ScratchFile(const std::string& name);

// ---- Real X input: what a person's hand does -----------------------------
// Delivered through the X server to the Wine desktop, not posted as messages.
// Each returns once the host tool has finished.
bool XMovePointer(int x, int y);      // desktop coordinates
bool XMovePointerBy(int dx, int dy);
bool XKey(const std::string& keysym);  // press and release, e.g. "Escape", "a", "alt+F4"
bool XClick(int button);               // 1 left, 2 middle, 3 right
bool XButton(int button, bool down);
bool XClickAt(int x, int y);           // left button, desktop coordinates
bool XClickCentre(HWND window);        // left button in the middle of a window
bool XInput(const std::string& input);  // a key as XKey takes it, or "click:N" for a click of button N

// ---- Windows -----------------------------------------------------------
struct WindowInfo {
    HWND handle = nullptr;
    DWORD processId = 0;
    std::wstring className;
    std::wstring text;       // read as Unicode
    RECT rect = {};          // screen coordinates
    RECT clientRect = {};    // client area in screen coordinates
    LONG style = 0, exStyle = 0;
    HWND owner = nullptr, parent = nullptr;
    int id = 0;
    bool visible = false, zoomed = false;
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    int clientWidth() const { return clientRect.right - clientRect.left; }
    int clientHeight() const { return clientRect.bottom - clientRect.top; }
};

WindowInfo Inspect(HWND window);
std::vector<WindowInfo> TopLevelWindows(DWORD processId);  // all, hidden ones too
std::vector<WindowInfo> Children(HWND window);             // direct children, z-order

// "desktop NAME" for the desktop that holds a window of the process, or "no
// desktop": where a start whose window never showed went.
std::string DesktopOf(DWORD processId);

// Waits for a visible top-level window of the process with this class and/or
// title (an empty one matches anything); nullptr if none came in time.
HWND WaitWindow(DWORD processId, const std::wstring& className, const std::wstring& title, DWORD timeoutMs);
bool WaitWindowGone(HWND window, DWORD timeoutMs);

void PostClose(HWND window);
// A window of this process in a class of its own, registered on first use.
HWND MakeWindow(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent = nullptr,
                HBRUSH background = nullptr, WNDPROC procedure = DefWindowProcW);
// A rectangle a window of another process writes where lParam points (a
// trackbar's TBM_GETTHUMBRECT, say): the buffer is made in that process and
// read back. Empty if the process cannot be reached.
RECT RemoteRect(HWND window, UINT message, WPARAM wParam = 0);
// A black topmost window of this process over the area, shown without
// activation: a window that takes the focus from the .scr's makes it raise
// its X window again when it regains it, and a raise that reaches X after
// the next cover leaves that one hidden beneath. Gone with DestroyWindow.
HWND ShowCover(const RECT& area);
void ClickButton(HWND dialog, int controlId);  // WM_COMMAND BN_CLICKED, as a click sends

// Whether the owner of a window was enabled at the moment the window was
// destroyed, for windows of any process in the desktop. A CBT hook in
// pok_watch.dll (beside the test programs) reports each destruction.
class DestroyWatch {
public:
    DestroyWatch();
    ~DestroyWatch();
    DestroyWatch(const DestroyWatch&) = delete;
    DestroyWatch& operator=(const DestroyWatch&) = delete;
    bool installed() const { return hook_ != nullptr; }
    // Empty until the window's destruction has been reported.
    std::optional<bool> ownerEnabledAtDestroy(HWND window) const;

private:
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    HWND listener_ = nullptr;
    std::map<HWND, bool> seen_;
};

// WM_DPICHANGED as Windows sends it to a window moved onto a monitor of
// another scale: on the window's own thread (a message hook of pok_watch.dll
// hands it over), for dpi on both axes, with the suggested rectangle in the
// window's process. False unless the window has handled it within Reaction.
bool DeliverDpiChanged(HWND window, int dpi, const RECT& suggested);

// ---- Screen ------------------------------------------------------------
struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<COLORREF> data;  // row by row from the top
    COLORREF at(int x, int y) const { return data[static_cast<size_t>((y - top) * width + (x - left))]; }
};
RECT WholeScreen();  // the primary monitor: the bed's desktop
Pixels GrabScreen(const RECT& area);
// Polls until every pixel of the area shows the colour.
bool WaitPixels(const RECT& area, COLORREF colour, DWORD timeoutMs = Reaction);
// What draw(dc) paints on a bitmap of this size, cleared to black.
Pixels Painted(int width, int height, const std::function<void(HDC)>& draw);
// "" when every pixel is as expected, else how many differ and the first.
std::string Differences(const Pixels& seen, const Pixels& expected);
// The format of a 32-bit bitmap read or written from its top row down.
BITMAPINFO TopDown32(int width, int height);
// A bitmap resource of an executable, as the pixels it shows, from the top
// row down; width 0 when the file holds no such bitmap.
Pixels ResourceBitmap(const std::string& module, int id);
// A picture of an executable (SpriteSheetId, PreviewPictureId or
// TitleCardId) as it must look at this size; for the sprite sheet the size is
// a cell's, and the picture its three right-facing colour cells, dog on black.
// At one, two or three times the design size it is that committed drawing
// itself. Between those it is the next larger drawing reduced by the
// program's own arithmetic (resources/picture_scaling.h): the native tests
// check that reduction, the end-to-end ones only where it is drawn.
Pixels PictureAt(const std::string& module, int id, int width, int height);
// The same at the display's scale (width 0: the picture's own scaled size),
// into picture; fails when the build lacks it.
testing::AssertionResult PictureShown(const std::string& module, int id, Pixels& picture, int width = 0,
                                      int height = 0);
// At 192 dpi, fails when the area shows 2 x 2 blocks of one colour: a picture
// enlarged from 96 dpi rather than drawn at the display's scale.
testing::AssertionResult NotEnlarged(const RECT& area);

// Handles what other processes send to our windows: a preview host must
// answer while the saver creates its child window in it.
void PumpMessages();

// Polls cond every few milliseconds, serving our windows meanwhile, until it
// holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition cond, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

// For the tools (a test waits for a condition): waits that long serving our
// windows, as a Wine program that stops answering can hold up the next start.
inline void Pause(DWORD milliseconds) { WaitUntil([] { return false; }, milliseconds); }

// Text in the tests is UTF-8 (paths too) and goes to the system as UTF-16,
// so the tests read the same under any system code page.
std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8);
std::string Encode(const std::wstring& text, UINT codePage);  // e.g. a file's bytes in Shift-JIS (932)
inline std::string Utf8(const std::wstring& text) { return Encode(text, CP_UTF8); }

}  // namespace driver
