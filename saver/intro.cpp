// The saver run: background, title card, the dogs' entrance, then hops for ever.
#include "saver/intro_layout.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

unsigned ClockSecond() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wSecond;
}

// The presents show nothing new; now and then one repaints the whole screen,
// so a window that drew over the saver in a hold leaves no trace.
void WaitClockSeconds(std::int32_t n) {
    RunClockWait(
        n,
        [] {
            PresentFrame();
            WaitFrame();
        },
        ClockSecond);
}

void TitleReveal() {
    RunTitleReveal(
        RunWidth(), RunHeight(),
        [](std::int32_t cardRow, std::int32_t x, std::int32_t y) { CopyTitleRow(x, y, cardRow); },
        [] {
            PresentFrame();
            WaitFrame();
        });
}

// Straight to the screen, row by row, with no PresentFrame in between.
void BlindReveal() { RunBlindReveal(RunHeight(), CopyScreenRow, WaitFrame); }

}  // namespace

void RunSaver(HDC, const Scale& scale) {
    BuildSurfaceSet(static_cast<COLORREF>(SaverSettings.BgColor), scale);
    ClearFrame();
    PresentFrame();
    WaitClockSeconds(2);
    TitleReveal();
    WaitClockSeconds(4);
    PlaceDogs();
    DrawDogs(1);  // the first frame, revealed without being presented
    BlindReveal();
    for (;;) HopCycle();
}
