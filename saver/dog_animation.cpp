// The dogs on the screen: what the arithmetic of dogs.h decides, drawn.
#include "saver/dogs.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// Every field starts at zero with the run.
struct DogAnimation {
    DogPack pack;
    bool placed;
    int shownPhase;  // of the frame on the screen
} g;

void ShowFrame(int phase) {
    g.shownPhase = phase;
    DrawDogs(phase);
    PresentFrame();
    WaitFrame();
}

// Read again for every cycle's turn tests: only the right edge follows a
// screen that changes size during the run. In 96-dpi pixels, like the dogs.
std::int32_t CurrentScreenWidth() { return RunScale().cover(GetSystemMetrics(SM_CXSCREEN)); }

}  // namespace

void PlaceDogs() {
    const DogSettings settings = {SaverSettings.dx0, SaverSettings.dy0, SaverSettings.hiki};
    PlaceDogs(g.pack, settings, RunWidth(), RunHeight(), GetTickCount());
    g.placed = true;
    g.shownPhase = 1;
}

void DrawDogs(int phase) {
    ClearFrame();
    ForEachSpriteOfPhase(g.pack, phase, DrawSprite);
}

void DrawShownDogs() { DrawDogs(g.shownPhase); }

void FitDogsToRun() {
    if (g.placed) FitDogsToHeight(g.pack, RunHeight());
}

void HopCycle() { RunHopCycle(g.pack, ShowFrame, CurrentScreenWidth); }
