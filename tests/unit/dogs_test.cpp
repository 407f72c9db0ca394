#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "saver/dogs.h"
#include "saver/random.h"

namespace {

using Ints = std::vector<std::int32_t>;

Ints Order(const DogPack& pack) {
    return Ints(pack.DrawOrder, pack.DrawOrder + pack.last + 1);
}

// The fractions a seed yields, drawn again outside the code under test.
std::vector<double> FractionsFrom(std::uint32_t seed, int count) {
    SeedRandom(seed);
    std::vector<double> r;
    for (int i = 0; i < count; ++i) r.push_back(RandomFraction());
    return r;
}

TEST(DogCount, TenSlotsAtMostNoneForNegativeValues) {
    const struct { std::uint32_t hiki; std::int32_t last; } cases[] = {
        {0, 0}, {2, 2}, {9, 9}, {10, 9}, {50, 9}, {0x7FFFFFFFu, 9},
        {0xFFFFFFFFu, -1}, {0x80000000u, -1}};
    for (const auto& c : cases) EXPECT_EQ(LastDogIndex(c.hiki), c.last) << c.hiki;
}

TEST(Placement, FirstDogInTheMiddleWithoutARandomDraw) {
    const struct { std::int32_t cx, cy, x, y; } cases[] = {
        {1024, 768, 437, 320},  // 641 / 2 = 320.5 goes to the even 320
        {1920, 1080, 885, 476},
        {1023, 767, 436, 320},  // 873 / 2 = 436.5 goes to 436
        {1024, 769, 437, 321},  // 127, not 128, below the screen's height
    };
    for (const auto& c : cases) {
        DogPack pack = {};
        PlaceDogs(pack, {8, 5, 0}, c.cx, c.cy, 4242u);
        EXPECT_EQ(pack.dog[0].x, c.x) << c.cx;
        EXPECT_EQ(pack.dog[0].y, c.y) << c.cy;
        EXPECT_EQ(RandomSeed(), 4242u) << "one dog draws no random value";
        EXPECT_EQ(Order(pack), Ints{0});
    }
}

TEST(Placement, RandomFractionsSpanTheScreen) {
    EXPECT_EQ(PlacedX(1024, 0.0), -100);
    EXPECT_EQ(PlacedY(768, 0.0), 0);
    EXPECT_EQ(PlacedX(1024, 0.99999), 1024);
    EXPECT_EQ(PlacedY(768, 0.99999), 640);
    EXPECT_EQ(PlacedX(1920, 0.5), 910);
    EXPECT_EQ(PlacedY(1080, 0.5), 476);
    EXPECT_EQ(PlacedY(767, 0.5), 320) << "319.5 goes to the even 320";
}

TEST(Placement, AllColumnsAreDrawnBeforeAllRows) {
    const std::uint32_t seed = 20240601u;
    const std::vector<double> r = FractionsFrom(seed, 4);
    ASSERT_NE(PlacedX(1024, r[0]), PlacedX(1024, r[2])) << "pick a seed whose draws differ";

    DogPack pack = {};
    PlaceDogs(pack, {8, 5, 2}, 1024, 768, seed);
    EXPECT_EQ(pack.dog[1].x, PlacedX(1024, r[0])) << "x1";
    EXPECT_EQ(pack.dog[2].x, PlacedX(1024, r[1])) << "x2";
    EXPECT_EQ(pack.dog[1].y, PlacedY(768, r[2])) << "y1";
    EXPECT_EQ(pack.dog[2].y, PlacedY(768, r[3])) << "y2";
    for (std::int32_t d = 0; d <= 2; ++d) {
        EXPECT_EQ(pack.dog[d].dx, 8) << "every dog starts moving right";
        EXPECT_EQ(pack.dog[d].frameBase, RightFacingBase);
    }
    EXPECT_EQ(pack.dog[3].x, 0) << "slots past the last dog stay untouched";
}

DogPack PackWithRows(const Ints& ys) {
    DogPack pack = {};
    pack.last = static_cast<std::int32_t>(ys.size()) - 1;
    for (size_t d = 0; d < ys.size(); ++d) pack.dog[d].y = ys[d];
    return pack;
}

TEST(DepthOrder, HigherDogsFirstEqualRowsDependOnTheSort) {
    const struct { Ints ys, placement, cycle; } cases[] = {
        {{5, 5, 5}, {2, 1, 0}, {0, 1, 2}},
        {{5, 5, 5, 5}, {3, 2, 1, 0}, {0, 1, 2, 3}},
        {{7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {{10, 5, 10}, {1, 2, 0}, {1, 0, 2}},
        {{4, 8, 4, 8, 1}, {4, 0, 2, 3, 1}, {4, 0, 2, 1, 3}},
        {{30, 20, 10}, {2, 1, 0}, {2, 1, 0}},
        {{10, 20, 30}, {0, 1, 2}, {0, 1, 2}},
        {{640, 0, 320, 1}, {1, 3, 2, 0}, {1, 3, 2, 0}},
        {{7}, {0}, {0}},
        // Keys compare unsigned: a row above the screen sorts as very low.
        {{-5, 3}, {1, 0}, {1, 0}},
    };
    for (const auto& c : cases) {
        DogPack pack = PackWithRows(c.ys);
        SortDogsByDepth(pack, DepthSort::Placement);
        EXPECT_EQ(Order(pack), c.placement) << "placement sort, first y " << c.ys[0];
        SortDogsByDepth(pack, DepthSort::Cycle);
        EXPECT_EQ(Order(pack), c.cycle) << "cycle sort, first y " << c.ys[0];
    }
}

TEST(DepthOrder, NoDogsNoOrder) {
    DogPack pack = PackWithRows({});
    pack.DrawOrder[0] = 77;
    SortDogsByDepth(pack, DepthSort::Placement);
    EXPECT_EQ(pack.DrawOrder[0], 77);
}

std::array<std::int32_t, 4> PhaseRows(std::int32_t y, std::int32_t dy0) {
    return {PhaseRow(y, dy0, 1), PhaseRow(y, dy0, 2), PhaseRow(y, dy0, 3), PhaseRow(y, dy0, 4)};
}

TEST(HopPhases, HalfHeightRoundsToEven) {
    EXPECT_EQ(PhaseRows(320, 5), (std::array<std::int32_t, 4>{320, 318, 315, 318}));
    EXPECT_EQ(PhaseRows(321, 5), (std::array<std::int32_t, 4>{321, 318, 316, 318}));
    EXPECT_EQ(PhaseRows(320, 0), (std::array<std::int32_t, 4>{320, 320, 320, 320}));
    EXPECT_EQ(PhaseRows(320, 4), (std::array<std::int32_t, 4>{320, 318, 316, 318}));
    EXPECT_EQ(PhaseRows(0, 20), (std::array<std::int32_t, 4>{0, -10, -20, -10}));
    EXPECT_EQ(PhaseRows(1, 1), (std::array<std::int32_t, 4>{1, 0, 0, 0})) << "0.5 goes to 0";
}

TEST(HopPhases, PosesZeroOneTwoOneOfTheDogsFacing) {
    for (int phase = 1; phase <= 4; ++phase) {
        const std::int32_t pose = phase == 1 ? 0 : phase == 3 ? 2 : 1;
        EXPECT_EQ(PhaseSheetRow(RightFacingBase, phase), 128 * pose) << phase;
        EXPECT_EQ(PhaseSheetRow(LeftFacingBase, phase), 384 + 128 * pose) << phase;
    }
}

TEST(HopPhases, LandInTheDisplaysPixelsInProportion) {
    // The dog from the middle of a 1024 x 768 screen in design pixels, dy0 5.
    const DogState dog = {437, 320, 8, LeftFacingBase};
    const struct {
        int dpi, phase;
        PixelCopy pixels;  // x, y, cell width and height, sheet row
    } cases[] = {
        {96, 3, {437, 315, 150, 128, 640}},
        // The 0, 2, 5 rows of the hop become 0, 4, 10 at 200 %; the cells of
        // the sheet made at that scale stand 256 rows apart.
        {192, 1, {874, 640, 300, 256, 768}}, {192, 2, {874, 636, 300, 256, 1024}}, {192, 3, {874, 630, 300, 256, 1280}},
        // 655.5 and 472.5 go to the even pixel.
        {144, 1, {656, 480, 225, 192, 576}}, {144, 3, {656, 472, 225, 192, 960}},
        {120, 2, {546, 398, 188, 160, 640}},  // 546.25, 397.5, a cell of 187.5
    };
    for (const auto& c : cases)
        EXPECT_TRUE(SpriteCopy(PhaseSprite(dog, 5, c.phase), Scale{c.dpi}) == c.pixels)
            << "phase " << c.phase << " at " << c.dpi << " dpi";
    // Far off the screen stays far off, on its own side, where scaling would wrap.
    const PixelCopy far = SpriteCopy({INT32_MAX - 100, INT32_MIN + 100, 0}, Scale{192});
    EXPECT_EQ(far.x, INT32_MAX);
    EXPECT_EQ(far.y, INT32_MIN);
}

TEST(HopPhases, HandEditedHopHeightsStayDefined) {
    EXPECT_EQ(PhaseRows(320, -1), (std::array<std::int32_t, 4>{320, 320, 321, 320}));
    EXPECT_EQ(PhaseRows(320, INT32_MAX), (std::array<std::int32_t, 4>{320, -1073741504, -2147483327, -1073741504}));
    EXPECT_EQ(PhaseRow(320, INT32_MIN, 2), 1073742144);
    EXPECT_EQ(PhaseRow(320, INT32_MIN, 3), INT32_MIN + 320) << "wraps like the 32-bit subtraction";
}

// A pack with dogs standing at the given columns, all moving right at row 100.
DogPack PackAtColumns(std::uint32_t hiki, const Ints& xs, std::int32_t dx = 8) {
    DogPack pack = {};
    pack.last = LastDogIndex(hiki);
    pack.cy = 768;
    for (size_t d = 0; d < xs.size(); ++d) pack.dog[d] = {xs[d], 100, dx, RightFacingBase};
    return pack;
}

// A dog turns at the right edge once at the margin, not one pixel short, and
// at the left edge one pixel beyond it.
TEST(Turns, AtTheRightMarginAndOnePixelBeyondTheLeft) {
    const struct { std::uint32_t hiki; std::int32_t x, dx; bool turns; } cases[] = {
        {0, 1024, 8, true}, {0, 1023, 8, false}, {0, 1025, 8, true},
        {2, 1044, 8, true}, {2, 1043, 8, false}, {2, 1045, 8, true},
        {9, 1114, 8, true}, {9, 1113, 8, false},
        {50, 1114, 8, true}, {50, 1113, 8, false},  // counted as the ten dogs shown
        {0, -150, -8, false}, {0, -151, -8, true},
        {2, -170, -8, false}, {2, -171, -8, true},
        {9, -240, -8, false}, {9, -241, -8, true},
    };
    for (const auto& c : cases) {
        // The first dog at x, the others of a pack of hiki's size on the screen.
        Ints xs(static_cast<size_t>(LastDogIndex(c.hiki)) + 1, 500);
        xs[0] = c.x;
        DogPack pack = PackAtColumns(c.hiki, xs, c.dx);
        if (c.dx < 0) pack.dog[0].frameBase = LeftFacingBase;
        SeedRandom(99u);
        TurnDogs(pack, 1024);
        const DogState& dog = pack.dog[0];
        EXPECT_EQ(dog.x, c.x) << "a turn does not move the dog";
        EXPECT_EQ(dog.dx, c.turns ? -c.dx : c.dx) << "hiki " << c.hiki << " x " << c.x;
        EXPECT_EQ(dog.frameBase, (c.dx > 0) == c.turns ? LeftFacingBase : RightFacingBase);
        EXPECT_EQ(dog.y, c.turns ? PlacedY(768, FractionsFrom(99u, 1)[0]) : 100) << "a new height at a turn alone";
    }
}

TEST(Turns, OnlyTurningDogsDrawNewHeightsInIndexOrder) {
    DogPack pack = PackAtColumns(3, {2000, 500, -500, 1100});
    const std::vector<double> r = FractionsFrom(31u, 3);
    const std::uint32_t afterThree = RandomSeed();
    SeedRandom(31u);
    TurnDogs(pack, 1024);
    EXPECT_EQ(pack.dog[0].y, PlacedY(768, r[0]));
    EXPECT_EQ(pack.dog[1].y, 100) << "dog 1 is on screen";
    EXPECT_EQ(pack.dog[2].y, PlacedY(768, r[1]));
    EXPECT_EQ(pack.dog[3].y, PlacedY(768, r[2]));
    EXPECT_EQ(RandomSeed(), afterThree) << "three turns, three draws";
}

using Frame = std::vector<SpriteDraw>;  // the sprites of one frame, back to front

// Runs hop cycles as the saver does and records every frame shown.
std::vector<Frame> RunCycles(DogPack& pack, int cycles, std::int32_t screenWidth = 1024) {
    std::vector<Frame> frames;
    for (int i = 0; i < cycles; ++i) {
        RunHopCycle(
            pack,
            [&](int phase) {
                Frame frame;
                ForEachSpriteOfPhase(pack, phase, [&](std::int32_t x, std::int32_t y, std::int32_t row) {
                    frame.push_back({x, y, row});
                });
                frames.push_back(frame);
            },
            [&] { return screenWidth; });
    }
    return frames;
}

TEST(HopCycle, OneDogHopsAcrossTurnsAndComesBack) {
    const std::uint32_t seed = 1234u;
    const std::vector<double> r = FractionsFrom(seed, 2);  // one per turn
    DogPack pack = {};
    PlaceDogs(pack, {8, 5, 0}, 1024, 768, seed);
    const std::vector<Frame> frames = RunCycles(pack, 19 + 38 + 1);

    // Drawn where it stands, then moved: 437, 445, 453, 461, ...
    const std::int32_t lift[] = {0, 2, 5, 2};  // y 320, dy0 5
    for (int f = 0; f < 4 * 19; ++f) {
        ASSERT_EQ(frames[f].size(), 1u);
        const SpriteDraw& s = frames[f][0];
        EXPECT_EQ(s.x, 437 + 8 * f) << "frame " << f;
        EXPECT_EQ(s.y, 320 - lift[f % 4]) << "frame " << f;
        EXPECT_EQ(s.sheetRow, (f % 4 == 2 ? 256 : f % 4 == 0 ? 0 : 128)) << "frame " << f;
    }
    // After 19 cycles x is 1045 >= 1024: it turns where it stands and faces left.
    const std::int32_t rightTurnY = PlacedY(768, r[0]);
    ASSERT_EQ(rightTurnY % 2, 0) << "the seed gives an even row, so the lifts are 0, 2, 5, 2";
    for (int f = 4 * 19; f < 4 * (19 + 38); ++f) {
        const SpriteDraw& s = frames[f][0];
        const int g = f - 4 * 19;
        EXPECT_EQ(s.x, 1045 - 8 * g) << "frame " << f;
        EXPECT_EQ(s.sheetRow, 384 + (g % 4 == 2 ? 256 : g % 4 == 0 ? 0 : 128)) << "frame " << f;
        EXPECT_EQ(s.y, rightTurnY - lift[g % 4]) << "frame " << f;
    }
    // 38 cycles later x is -171 < -150: facing right again, at yet another height.
    const SpriteDraw& back = frames[4 * 57][0];
    EXPECT_EQ(back.x, -171);
    EXPECT_EQ(back.sheetRow, 0);
    EXPECT_EQ(back.y, PlacedY(768, r[1]));
}

TEST(HopCycle, EqualRowsAreDrawnInPlacementThenCycleOrder) {
    DogPack pack = PackAtColumns(2, {0, 100, 200}, 2);
    SortDogsByDepth(pack, DepthSort::Placement);
    const std::vector<Frame> frames = RunCycles(pack, 2);
    // The first cycle draws dog 2 at the back, the second goes in index order.
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(frames[f][0].x, (f < 4 ? 200 : 0) + 2 * f) << "frame " << f;
        EXPECT_EQ(frames[f][2].x, (f < 4 ? 0 : 200) + 2 * f) << "frame " << f;
    }
}

TEST(HopCycle, RightEdgeFollowsTheCurrentScreenWidth) {
    // From 1000 a dog ends its first cycle at 1032 and its second at 1064.
    const struct { std::int32_t firstWidth, secondWidth; bool turnedAfterFirst, turnedAfterSecond; } cases[] = {
        {1040, 1060, false, true},
        {1040, 1070, false, false},
        {1032, 1070, true, true},
    };
    for (const auto& c : cases) {
        DogPack pack = PackAtColumns(0, {1000}, 8);
        RunCycles(pack, 1, c.firstWidth);
        EXPECT_EQ(pack.dog[0].dx < 0, c.turnedAfterFirst) << c.firstWidth;
        if (!c.turnedAfterFirst) {
            RunCycles(pack, 1, c.secondWidth);
            EXPECT_EQ(pack.dog[0].dx < 0, c.turnedAfterSecond) << c.secondWidth;
            EXPECT_EQ(pack.dog[0].frameBase, c.turnedAfterSecond ? LeftFacingBase : RightFacingBase);
        }
    }
}

TEST(HopCycle, AScreenThatShrinksKeepsEveryDogOnIt) {
    const struct { std::int32_t cy; Ints rows; } cases[] = {
        {600, {472, 472, 100}}, {1024, {640, 500, 100}}, {100, {0, 0, 0}}};
    for (const auto& c : cases) {
        DogPack pack = PackWithRows({640, 500, 100});
        FitDogsToHeight(pack, c.cy);
        EXPECT_EQ((Ints{pack.dog[0].y, pack.dog[1].y, pack.dog[2].y}), c.rows) << c.cy;
        EXPECT_EQ(pack.cy, c.cy) << "new heights must span the new screen";
    }
}

TEST(HandEditedSettings, EveryExtremeKeepsRunningWithinTheSlots) {
    const std::uint32_t extremes[] = {0u, 1u, 20u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF6u};
    const std::uint32_t hikis[] = {0u, 9u, 10u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    for (std::uint32_t hiki : hikis) {
        for (std::uint32_t dx0 : extremes) {
            for (std::uint32_t dy0 : extremes) {
                DogPack pack = {};
                PlaceDogs(pack, {dx0, dy0, hiki}, 1024, 768, dx0 ^ dy0);
                const std::vector<Frame> frames = RunCycles(pack, 50);
                const size_t dogs = static_cast<size_t>(LastDogIndex(hiki) + 1);
                for (const Frame& frame : frames) {
                    ASSERT_EQ(frame.size(), dogs) << "hiki " << hiki;
                    for (const SpriteDraw& s : frame)
                        ASSERT_TRUE(s.sheetRow >= 0 && s.sheetRow <= 640 && s.sheetRow % 128 == 0)
                            << "sheet row " << s.sheetRow << " dx0 " << dx0 << " dy0 " << dy0;
                }
            }
        }
    }
}

}  // namespace
