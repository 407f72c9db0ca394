// A stand-in for the Display control panel's preview box, for the tests:
//
//   preview_host WIDTH HEIGHT SCR
//
// Opens a top-level window holding a child "area" of WIDTH x HEIGHT, starts
// SCR with the command line "SCR" /p <area handle in decimal>, as Windows
// does, keeps the keyboard focus, and answers the requests of
// preview_host.h until its window is closed. Exit code 0, or 2 for bad
// arguments.
#include "preview_host.h"

#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace preview_host;

constexpr DWORD RepaintWait = 10000;  // the saver may be busy starting up

struct Host {
    HWND top, area;
    PROCESS_INFORMATION saver;
} g;

HWND PreviewChild() { return g.area ? GetWindow(g.area, GW_CHILD) : nullptr; }

// Invalidates the whole area, children included, as uncovering the dialog
// would, and reports whether the child has painted itself again.
LRESULT RepaintArea() {
    HWND child = PreviewChild();
    if (!child) return 0;
    RedrawWindow(g.area, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The update region empties when the child's paint begins; the child
    // answers a sent message only once it is back in its message loop, so
    // then the paint has also ended.
    DWORD_PTR ignored = 0;
    return driver::WaitUntil([&] { return !GetUpdateRect(child, nullptr, FALSE); }, RepaintWait) &&
                   SendMessageTimeoutW(child, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, RepaintWait, &ignored) ? 1 : 0;
}

void FitTopToArea(int width, int height) {
    RECT frame = {0, 0, width + 2 * AreaMargin, height + 2 * AreaMargin};
    AdjustWindowRectEx(&frame, GetWindowLongW(g.top, GWL_STYLE), FALSE, GetWindowLongW(g.top, GWL_EXSTYLE));
    SetWindowPos(g.top, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnRequest(UINT request, WPARAM wParam, LPARAM lParam) {
    switch (request) {
    case Area:
        return reinterpret_cast<LRESULT>(g.area);
    case SaverProcessId:
        return g.saver.dwProcessId;
    case Focus:
        return reinterpret_cast<LRESULT>(GetFocus());
    case Repaint:
        return RepaintArea();
    case Resize:
        FitTopToArea(static_cast<int>(wParam), static_cast<int>(lParam));
        SetWindowPos(g.area, nullptr, 0, 0, static_cast<int>(wParam), static_cast<int>(lParam),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 1;
    case ClosePreview: {
        HWND child = PreviewChild();
        return child && PostMessageW(child, WM_CLOSE, 0, 0) ? 1 : 0;
    }
    case DestroyArea:
        DestroyWindow(g.area);
        g.area = nullptr;
        return 1;
    }
    return 0;
}

LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= Area && message <= DestroyArea) return OnRequest(message, wParam, lParam);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool StartSaver(const std::string& scr) {
    // The control panel passes the handle as an unsigned decimal number.
    std::string commandLine = driver::Quoted(scr) + " /p " + std::to_string(HandleToULong(g.area));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(scr.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &g.saver))
        return false;
    CloseHandle(g.saver.hThread);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc == 4 ? std::atoi(argv[1]) : 0;
    const int height = argc == 4 ? std::atoi(argv[2]) : 0;
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: preview_host WIDTH HEIGHT SCR, with a width and height above 0\n");
        return 2;
    }

    g.top = driver::MakeWindow(TopClass, 0, WS_OVERLAPPEDWINDOW, {40, 40, 140, 140}, nullptr,
                               CreateSolidBrush(TopColour), TopProcedure);
    g.area = driver::MakeWindow(AreaClass, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                {AreaMargin, AreaMargin, AreaMargin + width, AreaMargin + height}, g.top,
                                CreateSolidBrush(AreaColour));
    FitTopToArea(width, height);
    ShowWindow(g.top, SW_SHOW);
    SetForegroundWindow(g.top);
    SetFocus(g.top);
    UpdateWindow(g.top);

    if (!StartSaver(argv[3])) std::fprintf(stderr, "preview_host: cannot start %s\n", argv[3]);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (g.saver.hProcess) CloseHandle(g.saver.hProcess);
    return 0;
}
