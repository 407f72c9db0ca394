// Dots per inch: the process tells Windows that it draws at the display's own
// scale, so Windows does not enlarge (and blur) its windows, and then asks
// each window's scale. Every call newer than Windows XP is looked up by name.
#include "app/app.h"
#include "app/app_private.h"

namespace {

// The values of the newer headers (the XP headers lack them).
const HANDLE PerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int ProcessPerMonitorAware = 2;  // and the same level in an awareness context
constexpr int EffectiveDpi = 0;

using SetContextFunction = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFunction = HRESULT(WINAPI*)(int);
using SetAwareFunction = BOOL(WINAPI*)();
using ThreadContextFunction = HANDLE(WINAPI*)();
using ContextsEqualFunction = BOOL(WINAPI*)(HANDLE, HANDLE);
using AwarenessOfContextFunction = int(WINAPI*)(HANDLE);
using ProcessAwarenessFunction = HRESULT(WINAPI*)(HANDLE, int*);
using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using DpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// What Windows leaves to the program.
enum class Awareness {
    OneScale,      // the system's dpi for every window, or 96 where Windows enlarges them itself
    PerMonitor,    // each window its monitor's; the caption and frame keep the system's
    PerMonitorV2,  // the caption and frame take the monitor's too
};

// Filled at start-up, read by every window afterwards.
struct DisplayScale {
    Awareness awareness = Awareness::OneScale;
    DpiForWindowFunction dpiForWindow = nullptr;
    DpiForMonitorFunction dpiForMonitor = nullptr;
    AdjustForDpiFunction adjustForDpi = nullptr;
} g;

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

Awareness FromLevel(int level) {
    return level == ProcessPerMonitorAware ? Awareness::PerMonitor : Awareness::OneScale;
}

// As the system reports it, not as the calls that asked for it imply: the
// compatibility settings can fix it before the program starts, and then
// every request fails or is ignored.
Awareness AwarenessInForce(HMODULE shcore) {
    // Windows 10 1607 and later: the thread's context, which its windows take.
    HMODULE user32 = User32();
    const auto threadContext = LibraryFunction<ThreadContextFunction>(user32, "GetThreadDpiAwarenessContext");
    const auto contextsEqual = LibraryFunction<ContextsEqualFunction>(user32, "AreDpiAwarenessContextsEqual");
    const auto levelOf =
        LibraryFunction<AwarenessOfContextFunction>(user32, "GetAwarenessFromDpiAwarenessContext");
    if (threadContext && contextsEqual && levelOf) {
        const HANDLE context = threadContext();
        // Before 1703 no context equals the second version's.
        if (contextsEqual(context, PerMonitorAwareV2)) return Awareness::PerMonitorV2;
        return FromLevel(levelOf(context));
    }
    // Windows 8.1 and later: the process's.
    const auto processAwareness = LibraryFunction<ProcessAwarenessFunction>(shcore, "GetProcessDpiAwareness");
    int level = 0;
    if (processAwareness && SUCCEEDED(processAwareness(nullptr, &level))) return FromLevel(level);
    return Awareness::OneScale;
}

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
    const auto setAwareness = LibraryFunction<SetAwarenessFunction>(shcore, "SetProcessDpiAwareness");
    const auto setAware = LibraryFunction<SetAwareFunction>(User32(), "SetProcessDPIAware");
    // Each only where the better one failed; what came of them is read back.
    if (!(setContext && setContext(PerMonitorAwareV2)) &&
        !(setAwareness && SUCCEEDED(setAwareness(ProcessPerMonitorAware))) && setAware)
        setAware();
    g.awareness = AwarenessInForce(shcore);
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
    // The window's own: 96 for one of a program that is not dpi aware, which
    // Windows enlarges, whatever its monitor's scale.
    if (g.dpiForWindow)
        if (const UINT dpi = g.dpiForWindow(window)) return static_cast<int>(dpi);
    return g.awareness == Awareness::OneScale ? SystemDpi() : MonitorDpi(window);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    // Only there do the caption and frame of a window on another monitor
    // than the first one have that monitor's scale, which the plain call
    // does not know; elsewhere they keep the system's, which it does.
    if (g.awareness == Awareness::PerMonitorV2 && g.adjustForDpi &&
        g.adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}
