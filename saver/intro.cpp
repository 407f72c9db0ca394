// The saver run: background, title card, the dogs' entrance, then hops for ever.
#include "saver/intro_layout.h"
#include "saver/monitors.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// What the frame holds, so that a display change can draw it anew.
enum class Shown { Background, Title, Dogs };
struct Intro {
    Shown shown;
    std::int32_t titlePasses;  // of the title reveal, so far
};

Intro intros[MaxRuns];  // one per monitor's show

Intro& g() { return intros[CurrentRun()]; }

unsigned ClockSecond() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wSecond;
}

RunSize CurrentRunSize() { return {RunWidth(), RunHeight()}; }

void CopyTitleRowAt(std::int32_t cardRow, std::int32_t x, std::int32_t y) { CopyTitleRow(x, y, cardRow); }

void WaitClockSeconds(std::int32_t n) { RunClockWait(n, WaitFrame, ClockSecond); }

void TitleReveal() {
    g().shown = Shown::Title;
    RunTitleReveal(CurrentRunSize, CopyTitleRowAt, [] {
        ++g().titlePasses;
        PresentFrame();
        WaitFrame();
    });
}

// Straight to the screen, row by row, with no PresentFrame in between.
void BlindReveal() { RunBlindReveal(RunHeight(), CopyScreenRow, WaitFrame); }

// Surfaces of the show's monitor's size, at its scale.
void BuildShowSurfaces() {
    const ScreenRect& area = ShowArea();
    BuildSurfaceSet(area.right - area.left, area.bottom - area.top, static_cast<COLORREF>(SaverSettings.BgColor),
                    ShowScale());
}

}  // namespace

void RunSaver() {
    g() = {};
    ResetDogs();
    SetWindowDC(GetDC(ShowWindowHandle()));
    BuildShowSurfaces();
    ClearFrame();
    PresentFrame();
    WaitClockSeconds(2);
    TitleReveal();
    WaitClockSeconds(4);
    PlaceDogs();
    DrawDogs(1);  // the first frame, revealed without being presented
    g().shown = Shown::Dogs;
    BlindReveal();
    for (;;) HopCycle();
}

void RefitRun() {
    BuildShowSurfaces();
    FitDogsToRun();
    switch (g().shown) {
    case Shown::Background:
        ClearFrame();
        break;
    case Shown::Title:
        ClearFrame();
        for (std::int32_t pass = 1; pass <= g().titlePasses; ++pass) CopyTitlePass(CurrentRunSize(), pass, CopyTitleRowAt);
        break;
    case Shown::Dogs:
        DrawShownDogs();
        break;
    }
    PresentFrame();  // the whole screen: the surfaces are new
}
