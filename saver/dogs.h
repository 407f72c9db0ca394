// The dogs' arithmetic: placement, depth order, hop phases and turns, without
// windows.h. The Win32 side draws what these functions decide.
#pragma once

#include <cstdint>

#include "app/scale.h"
#include "saver/screen_rect.h"

constexpr std::int32_t DogSlots = 10;
constexpr std::int32_t CellWidth = 150;   // one sprite cell of the sheet
constexpr std::int32_t CellHeight = 128;
constexpr std::int32_t RightFacingBase = 0;    // sheet rows 0-383
constexpr std::int32_t LeftFacingBase = 384;   // sheet rows 384-767

struct DogState {
    std::int32_t x;          // left column of the dog's cell
    std::int32_t y;          // top row of the cell on the ground; also the depth key
    std::int32_t dx;         // added to x after every frame
    std::int32_t frameBase;  // first sheet row of the dog's facing
};

// The settings the dogs follow, as read from the file.
struct DogSettings {
    std::uint32_t dx0;   // step per frame
    std::uint32_t dy0;   // hop height
    std::uint32_t hiki;  // number of dogs less one
};

// Every dog of a run. Slots past `last` stay as they were (zero).
struct DogPack {
    DogState dog[DogSlots];
    std::int32_t DrawOrder[DogSlots];  // dog indices, back to front
    std::int32_t last;                 // index of the last dog shown; -1: none
    std::int32_t dy0;
    std::int32_t cy;                   // screen height of the run: new heights span it
};

// Index of the last dog for a stored hiki: at most ten dogs fit the slots, and
// a value that is negative as a signed number means no dog at all.
std::int32_t LastDogIndex(std::uint32_t hiki);

// Where a random fraction r (0..0.99999) places a dog: x from -100 to cx,
// y from 0 to cy - 128.
std::int32_t PlacedX(std::int32_t cx, double r);
std::int32_t PlacedY(std::int32_t cy, double r);

// Sets every dog up for the start of the run: all moving right, dog 0 in the
// middle, the others at random, the random generator seeded from tickCount
// first; then sorted with the placement sort.
void PlaceDogs(DogPack& pack, const DogSettings& settings, std::int32_t cx, std::int32_t cy,
               std::uint32_t tickCount);

// Rebuilds DrawOrder by increasing y (higher dogs behind lower ones). The two
// variants differ only for equal y: the placement sort swaps equal neighbours
// too, the cycle sort keeps them in index order.
enum class DepthSort { Placement, Cycle };
void SortDogsByDepth(DogPack& pack, DepthSort variant);

// One of the four frames of a hop: phase 1 on the ground, 2 and 4 at half
// height, 3 at full height.
std::int32_t PhaseRow(std::int32_t y, std::int32_t dy0, int phase);     // screen row
std::int32_t PhaseSheetRow(std::int32_t frameBase, int phase);          // sheet row

struct SpriteDraw {
    std::int32_t x, y, sheetRow;
};
SpriteDraw PhaseSprite(const DogState& dog, std::int32_t dy0, int phase);

// Where a sprite of the 96-dpi arithmetic lands in the display's pixels: its
// cell's corner scaled like every place, its cell of the sheet made at that
// scale (cells of scale(150) x scale(128)), one cell below another.
PixelCopy SpriteCopy(const SpriteDraw& sprite, const Scale& scale);

// Calls draw(x, y, sheetRow) for every dog, back to front.
template <typename Draw>
void ForEachSpriteOfPhase(const DogPack& pack, int phase, Draw draw) {
    for (std::int32_t k = 0; k <= pack.last; ++k) {
        const SpriteDraw s = PhaseSprite(pack.dog[pack.DrawOrder[k]], pack.dy0, phase);
        draw(s.x, s.y, s.sheetRow);
    }
}

// A screen that became cy high: a dog below its new bottom stands on it, so
// no dog hops out of sight; new heights span the new height.
void FitDogsToHeight(DogPack& pack, std::int32_t cy);

// Every dog takes its step.
void MoveDogs(DogPack& pack);

// Turns every dog that has left the screen by the margin: at x >= screenWidth
// + 10 per extra dog it turns left, below -150 - that margin it turns right;
// either way it comes back at a new random height.
void TurnDogs(DogPack& pack, std::int32_t screenWidth);

// One hop cycle: four frames, each shown (drawn, presented, waited for) before
// the dogs move, then the turns against the current screen width and the
// re-sort. Only between cycles does the depth order change.
template <typename ShowFrame, typename ScreenWidth>
void RunHopCycle(DogPack& pack, ShowFrame showFrame, ScreenWidth screenWidth) {
    for (int phase = 1; phase <= 4; ++phase) {
        showFrame(phase);
        MoveDogs(pack);
    }
    TurnDogs(pack, screenWidth());
    SortDogsByDepth(pack, DepthSort::Cycle);
}
