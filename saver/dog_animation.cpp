// The dogs on the screen: what the arithmetic of dogs.h decides, drawn.
#include "saver/dogs.h"
#include "saver/monitors.h"
#include "saver/random.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// Every field starts at zero with the show.
struct DogAnimation {
    DogPack pack;
    bool placed;
    int shownPhase;  // of the frame on the screen
};

DogAnimation animations[MaxRuns];  // one per monitor's show

DogAnimation& g() { return animations[CurrentRun()]; }

void ShowFrame(int phase) {
    g().shownPhase = phase;
    DrawDogs(phase);
    PresentFrame();
    WaitFrame();
}

// Read again for every cycle's turn tests: the right edge follows a monitor
// that changes size during the show. In 96-dpi pixels, like the dogs.
std::int32_t CurrentScreenWidth() { return RunScale().cover(ShowArea().right - ShowArea().left); }

}  // namespace

void PlaceDogs() {
    const DogSettings settings = {SaverSettings.dx0, SaverSettings.dy0, SaverSettings.hiki};
    // Each monitor's crowd from a seed of its own; the primary's from the tick.
    PlaceDogs(g().pack, settings, RunWidth(), RunHeight(), RunSeed(GetTickCount(), CurrentRun()));
    g().placed = true;
    g().shownPhase = 1;
}

void DrawDogs(int phase) {
    ClearFrame();
    ForEachSpriteOfPhase(g().pack, phase, DrawSprite);
}

void ResetDogs() { g() = {}; }

void DrawShownDogs() { DrawDogs(g().shownPhase); }

void FitDogsToRun() {
    if (g().placed) FitDogsToHeight(g().pack, RunHeight());
}

void HopCycle() { RunHopCycle(g().pack, ShowFrame, CurrentScreenWidth); }
