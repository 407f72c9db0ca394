// A reference for the time from input to the end of the saver: a program
// with the saver's libraries and a window like its own, which ends itself the
// way the saver does (timeEndPeriod, ExitProcess) and writes down the moment.
//   exit_probe STAMP_FILE
// STAMP_FILE gets the Unix time in nanoseconds taken just before the end;
// the host sees when the process is gone, so the difference is what the
// platform adds to every end of the saver.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>

#include "tools/bench/host_clock.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: exit_probe STAMP_FILE\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    timeBeginPeriod(1);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    GetDC(window);
    // Time for the host to find us and watch for our end.
    const DWORD until = GetTickCount() + 1500;
    while (GetTickCount() < until) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(1);
    }
    if (FILE* file = std::fopen(argv[1], "wb")) {
        std::fprintf(file, "%lld", UnixNanoseconds());
        std::fclose(file);
    }
    timeEndPeriod(1);
    ExitProcess(0);
}
