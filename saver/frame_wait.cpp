// The wait between frames, the saver's only way out: one for every
// monitor's show, it sleeps until the next frame is due or until something
// arrives, answers what was sent, and ends the process on input.
#include <windows.h>
#include <mmsystem.h>  // only the functions' types: winmm is loaded from the system folder

#include "app/app.h"
#include "saver/frame_pacing.h"
#include "saver/saver_private.h"

namespace {

// Windows 10 1803 and later: a waitable timer as precise as a 1 ms system
// timer, without raising the resolution for the whole system.
constexpr DWORD HighResolutionTimer = 0x00000002;
using CreateTimerExFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);
constexpr UINT LastMouseMessage = 0x020E;  // the sideways wheel, Vista and later

struct FramePacing {
    HANDLE timer = nullptr;
    decltype(&timeEndPeriod) endPeriod = nullptr;  // set while a 1 ms system timer is held
    LARGE_INTEGER frequency = {};
    std::int64_t frameUs = 1000;
    FrameClock clock;
    POINT pointer = {};
    bool pointerRead = false;
} g;

std::int64_t Now() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return CounterMicroseconds(count.QuadPart, g.frequency.QuadPart);
}

// Older Windows wait in ticks of the system timer; only a frame shorter than
// a few ticks asks for 1 ms, and only for the run.
HANDLE MakeTimer(std::int64_t frameUs) {
    const auto createEx = LibraryFunction<CreateTimerExFunction>(GetModuleHandleW(L"kernel32.dll"),
                                                                 "CreateWaitableTimerExW");
    if (createEx)
        if (HANDLE fine = createEx(nullptr, nullptr, HighResolutionTimer, TIMER_ALL_ACCESS)) return fine;
    if (frameUs < FineTimerBelowUs) {
        HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
        const auto begin = LibraryFunction<decltype(&timeBeginPeriod)>(winmm, "timeBeginPeriod");
        const auto end = LibraryFunction<decltype(&timeEndPeriod)>(winmm, "timeEndPeriod");
        if (begin && end && begin(1) == TIMERR_NOERROR) g.endPeriod = end;
    }
    return CreateWaitableTimerW(nullptr, FALSE, nullptr);
}

void ArmTimer(std::int64_t dueUs) {
    LARGE_INTEGER due;
    due.QuadPart = -10 * (dueUs > 0 ? dueUs : 0);  // relative, in 100 ns
    SetWaitableTimer(g.timer, &due, 0, nullptr, nullptr, FALSE);
}

// A pointer that went two 96-dpi pixels of the monitor it is on from the
// last reading ends the saver.
void ReadPointer(POINT now) {
    if (g.pointerRead && CursorMovedFar(g.pointer.x, g.pointer.y, now.x, now.y, ScaleAt(now))) EndSaver();
    g.pointer = now;
    g.pointerRead = true;
}

bool IsKeyOrButton(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_LBUTTONDOWN && message <= LastMouseMessage);  // buttons and wheels, not moves
}

// Everything that waits is handled: input ends the saver, the rest goes to
// its windows (paints, the system's questions, display changes).
void DispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT || IsKeyOrButton(message.message)) EndSaver();
        if (message.message == WM_MOUSEMOVE) ReadPointer(message.pt);
        DispatchMessageW(&message);
    }
}

// What the queue does not hold: the pointer over another window, and Escape
// pressed while another window has the keyboard.
void LookAtInput() {
    POINT pointer;
    if (GetCursorPos(&pointer)) ReadPointer(pointer);
    if (GetAsyncKeyState(VK_ESCAPE) & 1) EndSaver();
}

}  // namespace

void StartFramePacing(std::uint32_t frameCount) {
    QueryPerformanceFrequency(&g.frequency);
    g.frameUs = FrameMicroseconds(frameCount);
    g.timer = MakeTimer(g.frameUs);
}

[[noreturn]] void EndSaver() {
    if (g.endPeriod) g.endPeriod(1);
    ExitProcess(0);
}

void SleepUntilNextFrame() {
    const std::int64_t drawn = Now();
    ArmTimer(ScheduleFrame(g.clock, drawn, g.frameUs) - drawn);
    for (;;) {
        DispatchWaiting();
        LookAtInput();
        FollowDisplayChange();
        if (DisplayAsleep()) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        const std::int64_t sleep = SleepBeforeLooking(g.clock, Now());
        if (sleep == 0) break;
        // The timer wakes the wait at the frame's moment to the microsecond;
        // the timeout, a millisecond past it or the next look at the input,
        // bounds the sleep. Only the clock ends the frame: a timer that fired
        // after the timeout had ended a frame stays signalled under Wine,
        // even once armed again, and would end the next frame at once.
        const DWORD timeoutMs = static_cast<DWORD>(sleep / 1000 + 1);
        MsgWaitForMultipleObjectsEx(1, &g.timer, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    FrameWaitEnded(g.clock, Now());
}
