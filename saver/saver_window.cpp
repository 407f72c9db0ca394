// The full-screen saver window and the frame pacer, the saver's only way out.
#include <windows.h>
#include <mmsystem.h>  // only the functions' types: winmm is loaded from the system folder

#include <vector>

#include "app/app.h"
#include "saver/frame_pacing.h"
#include "saver/monitors.h"
#include "saver/saver.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// Taken once at start-up; a missing function leaves the resolution as it is.
struct TimerPeriod {
    decltype(&timeEndPeriod) end = nullptr;
} timerPeriod;

// The scale of the monitor the saver window covers, taken when it is shown.
struct SaverDisplay {
    Scale scale;
} display;

// The frame count lives where the speed setting was read into; never saved.
std::int32_t FrameCount() { return static_cast<std::int32_t>(SaverSettings.weight); }

[[noreturn]] void EndSaver() {
    if (timerPeriod.end) timerPeriod.end(1);
    ExitProcess(0);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRect>*>(monitors)->push_back(
        {area->left, area->top, area->right, area->bottom});
    return TRUE;
}

// Painted once, when shown: nothing is dispatched once the run has begun.
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
// them reaches the queue the polls read; the hidden cursor stays hidden.
void CoverOtherMonitors(HWND saverWindow) {
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
    }
}

void InitSaverWindow() {
    HWND window = FormSlot[SaverSlot].window;
    LoadSettings();
    SaverSettings.weight = FrameCountOf(SaverSettings.weight);
    ShowCursor(FALSE);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    display.scale = ScaleForDpi(WindowDpi(window));
    SetWindowDC(GetDC(window));
    CoverOtherMonitors(window);
}

// The run never comes back: from here on no message is dispatched and input
// is seen only by WaitFrame's polls. The paint DC is not drawn on.
void OnPaint(HWND window) {
    PAINTSTRUCT paint = {};
    HDC paintDC = BeginPaint(window, &paint);
    RunSaver(paintDC, display.scale);
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
    case WM_CLOSE:  // only before the first paint: afterwards nothing is dispatched
        CloseModalWindow(window, 0);
        return 0;
    case WM_DESTROY:
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void BeginTimerPeriod() {
    HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
    const auto begin = LibraryFunction<decltype(&timeBeginPeriod)>(winmm, "timeBeginPeriod");
    timerPeriod.end = LibraryFunction<decltype(&timeEndPeriod)>(winmm, "timeEndPeriod");
    if (begin) begin(1);
}

LRESULT CALLBACK SaverWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SaverWindowProc(window, message, wParam, lParam);
}

// Polls run after every 1 ms sleep, not once per frame: input must end the
// saver at once. Only the two readings around one sleep are compared.
void WaitFrame() {
    POINT before = {}, after = {};
    RunPollingSteps(FrameCount, [&] {
        GetCursorPos(&before);
        Sleep(1);
        GetCursorPos(&after);
        if (CursorMovedFar(before.x, before.y, after.x, after.y, display.scale)) EndSaver();
        if (GetAsyncKeyState(VK_ESCAPE) & 1) EndSaver();
        if (GetInputState()) EndSaver();  // keys and mouse buttons
    });
}
