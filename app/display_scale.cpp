// Dots per inch: the process tells Windows that it draws at the display's own
// scale, so Windows does not enlarge (and blur) its windows, and then asks
// each window's scale. Every call newer than Windows XP is looked up by name.
#include "app/app.h"
#include "app/app_private.h"

namespace {

// The values of the newer headers (the XP headers lack them).
const HANDLE PerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int ProcessPerMonitorAware = 2;
constexpr int EffectiveDpi = 0;

using SetContextFunction = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFunction = HRESULT(WINAPI*)(int);
using SetAwareFunction = BOOL(WINAPI*)();
using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using DpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Filled at start-up, read by every window afterwards.
struct DisplayScale {
    bool perMonitor = false;  // each window has its monitor's scale
    DpiForWindowFunction dpiForWindow = nullptr;
    DpiForMonitorFunction dpiForMonitor = nullptr;
    AdjustForDpiFunction adjustForDpi = nullptr;
} g;

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

}  // namespace

void DeclareDpiAwareness() {
    // Per monitor, with the captions scaled too (Windows 10 1703 and later),
    // else per monitor (Windows 8.1), else the system's scale (Vista); XP
    // never enlarges a window, so there the scale is simply read.
    HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
    g.dpiForMonitor = LibraryFunction<DpiForMonitorFunction>(shcore, "GetDpiForMonitor");
    g.dpiForWindow = LibraryFunction<DpiForWindowFunction>(User32(), "GetDpiForWindow");
    g.adjustForDpi = LibraryFunction<AdjustForDpiFunction>(User32(), "AdjustWindowRectExForDpi");
    const auto setContext = LibraryFunction<SetContextFunction>(User32(), "SetProcessDpiAwarenessContext");
    if (setContext && setContext(PerMonitorAwareV2)) {
        g.perMonitor = true;
        return;
    }
    const auto setAwareness = LibraryFunction<SetAwarenessFunction>(shcore, "SetProcessDpiAwareness");
    if (setAwareness && SUCCEEDED(setAwareness(ProcessPerMonitorAware))) {
        g.perMonitor = true;
        return;
    }
    if (const auto setAware = LibraryFunction<SetAwareFunction>(User32(), "SetProcessDPIAware")) setAware();
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int MonitorDpi(HWND window) {
    UINT x = 0, y = 0;
    if (g.dpiForMonitor &&
        SUCCEEDED(g.dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &y)))
        return static_cast<int>(x);
    return SystemDpi();
}

int WindowDpi(HWND window) {
    if (!g.perMonitor) return SystemDpi();
    if (g.dpiForWindow)
        if (const UINT dpi = g.dpiForWindow(window)) return static_cast<int>(dpi);
    return MonitorDpi(window);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    // The caption and frame of a window on another monitor than the first
    // one have that monitor's scale, which the plain call does not know.
    if (g.perMonitor && g.adjustForDpi && g.adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
