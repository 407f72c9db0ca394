// The dogs on the screen: what the arithmetic of dogs.h decides, drawn.
#include "saver/dogs.h"
#include "saver/saver_private.h"
#include "saver/surfaces.h"
#include "settings/settings.h"

namespace {

// Every field starts at zero with the run.
struct DogAnimation {
    DogPack pack;
} g;

void ShowFrame(int phase) {
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
}

void DrawDogs(int phase) {
    ClearFrame();
    ForEachSpriteOfPhase(g.pack, phase, DrawSprite);
}

void HopCycle() { RunHopCycle(g.pack, ShowFrame, CurrentScreenWidth); }
