// A show on every monitor, all in step. Each show is a fiber running the
// same straight-line run (intro, then hops): it draws its frame and hands
// back at its WaitFrame; once every show has drawn, one wait serves them
// all. The primary's show is run 0, in the saver window; every other
// monitor has a window and a show of its own.
#include <windows.h>

#include <vector>

#include "app/app.h"
#include "saver/monitors.h"
#include "saver/random.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"

namespace {

constexpr SIZE_T ShowStackBytes = 256 * 1024;

struct Show {
    HWND window;
    Scale scale;
    LPVOID fiber;
    std::uint32_t seed;  // its own random state, between its frames
    bool started;        // its surfaces are built
};

struct Shows {
    LPVOID scheduler;
    RunLayout layout;
    Show show[MaxRuns];
    bool displayChanged;
} g;

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        {{r.left, r.top, r.right, r.bottom}, info.szDevice, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

// The system's monitors; without a primary among them, the screen it
// reports is the primary, which the saver window always covers.
std::vector<Monitor> Monitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    bool primary = false;
    for (const Monitor& m : monitors) primary = primary || m.primary;
    if (!primary)
        monitors.insert(monitors.begin(),
                        {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, L"primary", true});
    return monitors;
}

void CALLBACK ShowFiber(void*) { RunSaver(); }

// The show's window takes its monitor's whole rectangle itself: a pop-up
// maximised after its creation keeps its creation size on some systems,
// and a display that changes leaves it at the old one.
void PlaceWindow(int run) {
    Show& show = g.show[run];
    const ScreenRect& r = g.layout.rect[run];
    SetWindowPos(show.window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    show.scale = ScaleForDpi(WindowDpi(show.window));
}

// The other monitors' windows are owned by the saver window, so they go with
// it, and belong to this thread, so input over them reaches the queue the
// wait reads; the hidden cursor stays hidden over them.
void StartShow(int run) {
    Show& show = g.show[run];
    show = {};
    show.window = FormSlot[SaverSlot].window;
    if (run != 0) {
        show.window = CreateWindowExW(WS_EX_TOPMOST, DialogClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                      FormSlot[SaverSlot].window, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(show.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherMonitorWindowProc));
    }
    PlaceWindow(run);
    if (run != 0) ShowWindow(show.window, SW_SHOWNOACTIVATE);
    show.fiber = CreateFiber(ShowStackBytes, ShowFiber, nullptr);
}

// Its monitor is gone: the window, the surfaces and the fiber go too.
void EndShow(int run) {
    Show& show = g.show[run];
    SelectRun(run);
    ReleaseSurfaceSet();
    ReleaseDC(show.window, WindowDC());
    SetWindowDC(nullptr);
    DestroyWindow(show.window);
    if (show.fiber) DeleteFiber(show.fiber);
    show = {};
}

// The show draws its next frame, with its own random state.
void Resume(int run) {
    Show& show = g.show[run];
    if (!show.fiber) return;
    SelectRun(run);
    SeedRandom(show.seed);
    SwitchToFiber(show.fiber);
    show.seed = RandomSeed();
    show.started = true;
}

// The runs laid out on the monitors of now: shows end and begin with their
// monitors. Returns the layout before.
RunLayout LayOut() {
    const RunLayout before = g.layout;
    g.layout = LayOutRuns(Monitors(), before);
    for (int run = 0; run < MaxRuns; ++run) {
        if (before.shown(run) && !g.layout.shown(run)) EndShow(run);
        if (!before.shown(run) && g.layout.shown(run)) StartShow(run);
    }
    return before;
}

}  // namespace

void RunShows() {
    g.scheduler = ConvertThreadToFiber(nullptr);
    LayOut();
    for (;;) {
        for (int run = 0; run < MaxRuns; ++run)
            if (g.layout.shown(run)) Resume(run);
        SleepUntilNextFrame();
    }
}

void WaitFrame() { SwitchToFiber(g.scheduler); }

HWND ShowWindowHandle() { return g.show[CurrentRun()].window; }
const ScreenRect& ShowArea() { return g.layout.rect[CurrentRun()]; }
const Scale& ShowScale() { return g.show[CurrentRun()].scale; }

const Scale& ScaleAt(POINT point) {
    for (int run = 0; run < MaxRuns; ++run) {
        const ScreenRect& r = g.layout.rect[run];
        if (g.layout.shown(run) && point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
            return g.show[run].scale;
    }
    return g.show[0].scale;
}

void NoteDisplayChange() { g.displayChanged = true; }

// Shows keep going where their monitor stays (in surfaces of its new size
// and scale), end with a monitor that is gone and begin on a new one.
void FollowDisplayChange() {
    if (!g.displayChanged) return;
    g.displayChanged = false;
    const RunLayout before = LayOut();
    for (int run = 0; run < MaxRuns; ++run) {
        if (!before.shown(run) || !g.layout.shown(run)) continue;
        PlaceWindow(run);
        if (!g.show[run].started) continue;
        SelectRun(run);
        RefitRun();
    }
}

void RepaintShow(HWND window, HDC paintDC, const RECT& area) {
    for (int run = 0; run < MaxRuns; ++run) {
        if (!g.layout.shown(run) || g.show[run].window != window || !g.show[run].started) continue;
        SelectRun(run);
        BitBlt(paintDC, area.left, area.top, area.right - area.left, area.bottom - area.top, SurfaceDC(ComposeSurface),
               area.left, area.top, SRCCOPY);
    }
}

void PresentEveryShowWhole() {
    for (int run = 0; run < MaxRuns; ++run) {
        if (!g.layout.shown(run) || !g.show[run].started) continue;
        SelectRun(run);
        ShowWholeFrame();
    }
}
