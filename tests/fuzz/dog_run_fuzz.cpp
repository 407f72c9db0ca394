// Any five settings values, as a hand could leave them in the file, on a
// screen of any size: the dogs are placed, hop through many cycles and turn,
// and every frame must keep to what a person would see as the rules.
//
// Input, little-endian, missing bytes read as zero:
//   0 BgColor  4 hiki  8 dx0  12 dy0  16 weight   (the file's key order)
//  20 screen width  24 screen height  28 tick count of the run's start
//  32 hop cycles (u16, bounded)  34 cycle at which the screen width changes (u16, 0 never)
//  36 the later screen width
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "saver/dogs.h"
#include "saver/frame_pacing.h"
#include "saver/random.h"

namespace {

constexpr int MaxCycles = 600;          // enough for a slow dog to cross a wide screen and back

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "dog_run: %s\n", what);
    std::abort();
}

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint32_t u32(std::size_t at) const {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            if (at + i < size) v |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
        return v;
    }
    std::uint16_t u16(std::size_t at) const { return static_cast<std::uint16_t>(u32(at) & 0xFFFFu); }
};

std::int32_t Signed(std::uint32_t v) { return static_cast<std::int32_t>(v); }
// Column x after n steps of dx, wrapping as the 32-bit sum does.
std::int32_t Stepped(std::int32_t x, int n, std::int32_t dx) {
    return Signed(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(n) * static_cast<std::uint32_t>(dx));
}
// v lies between a and b, whichever of the two is the smaller.
bool Between(std::int64_t v, std::int64_t a, std::int64_t b) { return a < b ? a <= v && v <= b : b <= v && v <= a; }

// The random generator's state after n further fractions from seed, and the
// fraction drawn next into *next if asked; the generator is left where it was.
std::uint32_t SeedAfterFractions(std::uint32_t seed, int n, double* next = nullptr) {
    const std::uint32_t saved = RandomSeed();
    SeedRandom(seed);
    for (int i = 0; i < n; ++i) RandomFraction();
    const std::uint32_t after = RandomSeed();
    if (next) *next = RandomFraction();
    SeedRandom(saved);
    return after;
}

bool InPlacedYRange(std::int32_t y, std::int32_t cy) {
    return Between(y, 0, std::int64_t{cy} - CellHeight);
}

// A dog's step is always the configured one, forwards or backwards, and it
// always shows one of the two facings. In an ordinary run (a positive step
// too small to wrap, a screen of sensible size that keeps its width) facing
// and direction go together: right-facing cells walk right, left-facing left.
void CheckFacing(const DogState& dog, std::uint32_t dx0, bool ordinary) {
    Check(dog.frameBase == RightFacingBase || dog.frameBase == LeftFacingBase, "a facing outside the sheet");
    Check(dog.dx == Signed(dx0) || dog.dx == Signed(0u - dx0), "a step other than dx0 or -dx0");
    if (ordinary)
        Check(dog.frameBase == RightFacingBase ? dog.dx > 0 : dog.dx < 0, "facing and direction out of step");
}

// DrawOrder names every shown dog once, higher dogs (smaller unsigned y) first;
// the cycle sort keeps dogs on the same row in index order.
void CheckDrawOrder(const DogPack& pack, DepthSort variant) {
    bool seen[DogSlots] = {};
    for (std::int32_t k = 0; k <= pack.last; ++k) {
        const std::int32_t d = pack.DrawOrder[k];
        Check(d >= 0 && d <= pack.last, "draw order names a dog that is not shown");
        Check(!seen[d], "draw order names a dog twice");
        seen[d] = true;
        if (k == 0) continue;
        const std::int32_t before = pack.DrawOrder[k - 1];
        const auto a = static_cast<std::uint32_t>(pack.dog[before].y);
        const auto b = static_cast<std::uint32_t>(pack.dog[d].y);
        Check(a <= b, "a lower dog is drawn behind a higher one");
        if (variant == DepthSort::Cycle && a == b) Check(before < d, "cycle sort reordered dogs on one row");
    }
}

// Slots beyond the last shown dog are never written.
void CheckUntouched(const DogPack& pack) {
    for (std::int32_t d = pack.last + 1; d < DogSlots; ++d) {
        const DogState& dog = pack.dog[d];
        Check(dog.x == 0 && dog.y == 0 && dog.dx == 0 && dog.frameBase == 0, "a slot past the last dog was written");
        Check(pack.DrawOrder[d] == 0, "a draw-order slot past the last dog was written");
    }
}

// One frame as drawn: every shown dog once, back to front, in its pose.
void CheckFrame(const DogPack& pack, int phase) {
    std::int32_t drawn = 0;
    std::uint32_t lastGroundRow = 0;
    ForEachSpriteOfPhase(pack, phase, [&](std::int32_t x, std::int32_t y, std::int32_t sheetRow) {
        Check(drawn < DogSlots, "more than ten dogs drawn");
        const DogState& dog = pack.dog[pack.DrawOrder[drawn]];
        Check(x == dog.x, "a dog drawn away from its column");
        const std::int32_t pose = phase == 1 ? 0 : phase == 3 ? 2 : 1;
        Check(sheetRow == dog.frameBase + pose * CellHeight, "a dog drawn in the wrong pose");
        Check(sheetRow >= 0 && sheetRow + CellHeight <= 2 * 384, "a cell outside the sprite sheet");
        if (phase == 1) {
            Check(y == dog.y, "phase 1 is not on the ground");
            Check(drawn == 0 || lastGroundRow <= static_cast<std::uint32_t>(y), "frame not back to front");
            lastGroundRow = static_cast<std::uint32_t>(y);
        }
        // The half lift lies between the ground and the full lift, wherever
        // the two are plain (unwrapped) 32-bit rows.
        if (phase == 2 || phase == 4) {
            const std::int64_t top = static_cast<std::int64_t>(dog.y) - pack.dy0;
            if (top >= INT32_MIN && top <= INT32_MAX)
                Check(Between(y, dog.y, top), "half lift outside the hop");
        }
        ++drawn;
    });
    Check(drawn == pack.last + 1, "not every shown dog was drawn");
}

// Whatever the weight and however late the last wait woke, a frame waits at
// least a millisecond, no longer than its frame count, and the input is
// looked at meanwhile.
void CheckPacing(std::uint32_t weight, std::uint32_t tick) {
    const std::int64_t frame = FrameMicroseconds(FrameCountOf(weight));
    Check(frame >= 1000, "a frame that does not wait");
    FrameClock clock;
    FrameWaitEnded(clock, tick);
    const std::int64_t now = static_cast<std::int64_t>(tick) * 3;
    const std::int64_t deadline = ScheduleFrame(clock, now, frame);
    Check(deadline > now && deadline <= now + frame, "a frame due outside its frame count");
    const std::int64_t sleep = SleepBeforeLooking(clock, now);
    Check(sleep > 0 && sleep <= InputLookUs, "a wait that never looks at the input");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in{data, size};
    const std::uint32_t hiki = in.u32(4), dx0 = in.u32(8), dy0 = in.u32(12), weight = in.u32(16);
    const std::int32_t cx = Signed(in.u32(20)), cy = Signed(in.u32(24));
    const std::uint32_t tick = in.u32(28);
    const int cycles = 1 + in.u16(32) % MaxCycles;
    const int widthChange = in.u16(34) % MaxCycles;
    const std::int32_t laterWidth = Signed(in.u32(36));
    constexpr std::int32_t Sensible = 1 << 24;
    const bool ordinary = Signed(dx0) >= 1 && Signed(dx0) <= Sensible && cx >= 0 && cx <= Sensible &&
                          cy >= 0 && cy <= Sensible && (widthChange == 0 || laterWidth == cx);
    // BgColor (bytes 0-3) only colours the background brush; nothing here reads it.

    CheckPacing(weight, tick);

    DogPack pack = {};
    PlaceDogs(pack, {dx0, dy0, hiki}, cx, cy, tick);
    Check(pack.last >= -1 && pack.last < DogSlots, "more than ten dogs");
    Check(pack.last == (Signed(hiki) < 0 ? -1 : Signed(hiki) > 9 ? 9 : Signed(hiki)), "dog count from hiki");
    Check(RandomSeed() == SeedAfterFractions(tick, 2 * (pack.last > 0 ? pack.last : 0)),
          "placement draws one column and one row per dog after the first");
    for (std::int32_t d = 0; d <= pack.last; ++d) {
        const DogState& dog = pack.dog[d];
        Check(dog.frameBase == RightFacingBase && dog.dx == Signed(dx0), "every dog starts right-facing with dx0");
        if (d == 0) continue;
        Check(Between(dog.x, -100, cx), "placed column beyond the screen's span");
        Check(InPlacedYRange(dog.y, cy), "placed row beyond the screen's span");
    }
    CheckDrawOrder(pack, DepthSort::Placement);
    CheckUntouched(pack);

    for (int cycle = 0; cycle < cycles; ++cycle) {
        const DogPack before = pack;
        const std::uint32_t seedBefore = RandomSeed();
        const std::int32_t width = widthChange == 0 || cycle < widthChange ? cx : laterWidth;
        int frames = 0;
        RunHopCycle(
            pack,
            [&](int phase) {
                Check(phase == frames + 1, "phases out of order");
                // Each frame is shown before the dogs take that frame's step.
                for (std::int32_t d = 0; d <= pack.last; ++d)
                    Check(pack.dog[d].x == Stepped(before.dog[d].x, frames, before.dog[d].dx),
                          "a dog moved other than one step per frame");
                CheckFrame(pack, phase);
                ++frames;
            },
            [&] { return width; });
        Check(frames == 4, "a hop cycle is four frames");

        // Turns, checked in 64 bits against the screen width of this cycle.
        const std::int64_t margin = static_cast<std::int64_t>(pack.last) * 10;
        int turns = 0;
        for (std::int32_t d = 0; d <= pack.last; ++d) {
            const DogState& was = before.dog[d];
            const DogState& dog = pack.dog[d];
            const std::int32_t x = Stepped(was.x, 4, was.dx);
            Check(dog.x == x, "a turn moved a dog");
            const bool right = x >= width + margin;
            const bool left = x < -CellWidth - margin;
            std::int32_t dx = was.dx, frameBase = was.frameBase, y = was.y;
            const auto turn = [&](std::int32_t facing) {
                dx = Signed(0u - static_cast<std::uint32_t>(dx));
                frameBase = facing;
                double fraction = 0;
                SeedAfterFractions(seedBefore, turns++, &fraction);
                y = PlacedY(pack.cy, fraction);
            };
            if (right) turn(LeftFacingBase);
            if (left) turn(RightFacingBase);
            Check(dog.dx == dx, "direction after the edge tests");
            Check(dog.frameBase == frameBase, "facing after the edge tests");
            Check(dog.y == y, "a dog changed height without turning, or not at its turn's draw");
            if (right || left) Check(InPlacedYRange(dog.y, cy), "new height beyond the screen's span");
            CheckFacing(dog, dx0, ordinary);
        }
        Check(RandomSeed() == SeedAfterFractions(seedBefore, turns), "random values drawn for dogs that did not turn");
        CheckDrawOrder(pack, DepthSort::Cycle);
        CheckUntouched(pack);
    }
    return 0;
}
