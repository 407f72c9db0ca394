// The saver's windows: the full-screen saver window on the primary monitor,
// which starts every monitor's show on its first paint, and the windows of
// the other monitors; they answer the system for as long as the shows go on.
#include <windows.h>

#include "app/app.h"
#include "saver/frame_pacing.h"
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
    bool running = false;     // the shows have begun: a paint repaints, it does not start them again
    bool displayOff = false;
} g;

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
    ListenForDisplayPower(window);
}

void PaintFromFrame(HWND window) {
    PAINTSTRUCT paint = {};
    HDC paintDC = BeginPaint(window, &paint);
    RepaintShow(window, paintDC, paint.rcPaint);
    EndPaint(window, &paint);
}

// The first paint starts the shows, which never come back; later ones (the
// wait dispatches what arrives) repaint from the frame.
void OnPaint(HWND window) {
    if (!g.running) {
        g.running = true;
        PAINTSTRUCT paint = {};
        BeginPaint(window, &paint);
        StartFramePacing(SaverSettings.weight);
        RunShows();
    }
    PaintFromFrame(window);
}

void OnPowerSetting(const PowerSetting& setting) {
    const bool off = setting.length >= sizeof(DWORD) && setting.data == 0;
    if (g.displayOff && !off) PresentEveryShowWhole();
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
        NoteDisplayChange();
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

bool DisplayAsleep() { return g.displayOff; }

// Before its show's first frame it is the background; after, its frame.
// Otherwise it answers as the saver window does.
LRESULT CALLBACK OtherMonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT area = {};
        GetClientRect(window, &area);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(SaverSettings.BgColor));
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_PAINT:
        PaintFromFrame(window);
        return 0;
    }
    return SaverWindowProc(window, message, wParam, lParam);
}
