// The full-screen saver window: it starts the run on its first paint and
// answers the system for as long as the run goes on.
#include <windows.h>

#include <vector>

#include "app/app.h"
#include "saver/frame_pacing.h"
#include "saver/monitors.h"
#include "saver/saver.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// Messages and values of newer Windows, absent from the XP headers.
constexpr UINT DpiChanged = 0x02E0;
constexpr WPARAM PowerSettingChange = 0x8013;
constexpr GUID ConsoleDisplayState = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
constexpr GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
struct PowerSetting {
    GUID setting;
    DWORD length;
    DWORD data;  // the display: 0 off, 1 on, 2 dimmed
};
using RegisterPowerSettingFunction = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);

struct SaverWindowState {
    Scale scale;                 // of the primary monitor, which the saver window covers
    bool running = false;        // the run has begun: a paint repaints, it does not start again
    bool displayChanged = false; // a size, layout or scale to follow at the next wake
    bool displayOff = false;
    std::vector<HWND> covers;    // one per other monitor
} g;

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRect>*>(monitors)->push_back(
        {area->left, area->top, area->right, area->bottom});
    return TRUE;
}

// A cover paints itself whenever the system asks: the background colour.
LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ERASEBKGND) return DefWindowProcW(window, message, wParam, lParam);
    RECT area = {};
    GetClientRect(window, &area);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(SaverSettings.BgColor));
    FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
    DeleteObject(brush);
    return 1;
}

// Every other monitor goes plain background. The covers are owned by the
// saver window, so they go with it, and belong to this thread, so input over
// them reaches the queue the waits read; the hidden cursor stays hidden.
void CoverOtherMonitors(HWND saverWindow) {
    for (HWND cover : g.covers) DestroyWindow(cover);
    g.covers.clear();
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const ScreenRect primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (const ScreenRect& r : OtherMonitorCovers(primary, monitors)) {
        HWND cover = CreateWindowExW(WS_EX_TOPMOST, DialogClassName, L"", WS_POPUP, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, saverWindow, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        if (!cover) continue;
        SetWindowLongPtrW(cover, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CoverWindowProc));
        ShowWindow(cover, SW_SHOWNOACTIVATE);
        UpdateWindow(cover);
        g.covers.push_back(cover);
    }
}

// The primary monitor's whole rectangle, taken by the window itself: a
// pop-up maximised after its creation keeps its creation size on some
// systems, and a display that changes size leaves it at the old one.
void CoverPrimary(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOACTIVATE);
    g.scale = ScaleForDpi(WindowDpi(window));
}

// Where Windows can say so (Vista and later), the saver hears when the
// display goes off, and draws nothing meanwhile.
void ListenForDisplayPower(HWND window) {
    const auto listen = LibraryFunction<RegisterPowerSettingFunction>(GetModuleHandleW(L"user32.dll"),
                                                                      "RegisterPowerSettingNotification");
    if (!listen) return;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    // Windows 8 reports the console's display; Vista and 7 the monitor's power.
    const bool eightOrLater = version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
    listen(window, eightOrLater ? &ConsoleDisplayState : &MonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void InitSaverWindow() {
    HWND window = FormSlot[SaverSlot].window;
    LoadSettings();
    SaverSettings.weight = FrameCountOf(SaverSettings.weight);
    ShowCursor(FALSE);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    CoverPrimary(window);
    SetWindowDC(GetDC(window));
    CoverOtherMonitors(window);
    ListenForDisplayPower(window);
}

// The first paint starts the run, which never comes back; later ones (the
// run dispatches what arrives while it waits) repaint from the frame.
void OnPaint(HWND window) {
    PAINTSTRUCT paint = {};
    HDC paintDC = BeginPaint(window, &paint);
    if (!g.running) {
        g.running = true;
        RunSaver(g.scale);
    }
    const RECT& r = paint.rcPaint;
    BitBlt(paintDC, r.left, r.top, r.right - r.left, r.bottom - r.top, SurfaceDC(ComposeSurface), r.left, r.top,
           SRCCOPY);
    EndPaint(window, &paint);
}

void OnPowerSetting(const PowerSetting& setting) {
    const bool off = setting.length >= sizeof(DWORD) && setting.data == 0;
    if (g.displayOff && !off) ShowWholeFrame();
    g.displayOff = off;
}

LRESULT SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormSlot[SaverSlot].window = window;
        InitSaverWindow();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_DISPLAYCHANGE:
    case DpiChanged:
        g.displayChanged = true;
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PowerSettingChange && lParam) OnPowerSetting(*reinterpret_cast<const PowerSetting*>(lParam));
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;  // this is the screen saver already
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) EndSaver();
        return 0;
    case WM_CLOSE:
        if (g.running) EndSaver();
        CloseModalWindow(window, 0);
        return 0;
    case WM_DESTROY:
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SaverWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SaverWindowProc(window, message, wParam, lParam);
}

const Scale& SaverScale() { return g.scale; }

bool DisplayAsleep() { return g.displayOff; }

void FollowDisplayChange() {
    if (!g.displayChanged) return;
    g.displayChanged = false;
    HWND window = FormSlot[SaverSlot].window;
    CoverPrimary(window);
    CoverOtherMonitors(window);
    RefitRun(g.scale);
}
