#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <set>
#include <vector>

#include "settings_window/rules.h"
#include "tests/driver/reading_order.h"

namespace {

TEST(CentredOrigin, HalfPixelsGoToTheEvenNeighbour) {
    const struct { int screen, window, origin; } cases[] = {
        {1024, 170, 427}, {768, 447, 160},   // 160.5 gives 160
        {1023, 170, 426},                    // 426.5 gives 426
        {1680, 170, 755}, {1050, 447, 302},  // 301.5 gives 302
        {1280, 170, 555}, {1024, 447, 288}, {1920, 170, 875}, {1080, 447, 316},
        {170, 170, 0},
        // Screens smaller than the window: the same rule below zero.
        {169, 170, 0},     // -0.5 gives 0
        {167, 170, -2},    // -1.5 gives -2
        {165, 170, -2},    // -2.5 gives -2
        {100, 170, -35},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredOrigin(c.screen, c.window), c.origin) << c.screen << " - " << c.window;
}

TEST(SliderRows, EachEditsItsOwnSetting) {
    const struct { int id; std::uint32_t SaverSettingsRecord::*field; } cases[] = {
        {StepSliderId, &SaverSettingsRecord::dx0},
        {HopSliderId, &SaverSettingsRecord::dy0},
        {SpeedSliderId, &SaverSettingsRecord::weight},
        {DogSliderId, &SaverSettingsRecord::hiki},
    };
    for (const auto& c : cases) {
        const SliderRow* row = FindSlider(c.id);
        ASSERT_NE(row, nullptr) << c.id;
        SaverSettingsRecord record = {1, 2, 3, 4, 5};
        record.*row->field = 77;
        EXPECT_EQ(record.*c.field, 77u) << "slider " << c.id << " edits the wrong setting";
    }
    for (int other : {999, 1002, 1003, 1012, 1013, 1014, 1019})
        EXPECT_EQ(FindSlider(other), nullptr) << other;
}

TEST(SliderRows, ThumbOfAValueBeyondTheRangeStandsAtTheNearestEnd) {
    const SliderRow& step = *FindSlider(StepSliderId);  // 2..20
    const SliderRow& dogs = *FindSlider(DogSliderId);   // 0..9
    const struct { const SliderRow& row; std::uint32_t value, thumb; } cases[] = {
        {step, 1, 2}, {step, 0, 2}, {step, 2, 2}, {step, 8, 8}, {step, 20, 20}, {step, 21, 20},
        // A hand-written -1 reads as the largest unsigned value, far above the range.
        {step, 4294967295u, 20}, {dogs, 50, 9}, {dogs, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThumbPosition(c.row, c.value), c.thumb) << "slider " << c.row.id << " value " << c.value;
}

TEST(ButtonRule, OnlyAClickActs) {
    const struct { int id, code; ButtonAction action; } cases[] = {
        {OkButtonId, 0, ButtonAction::Save},
        {CancelButtonId, 0, ButtonAction::Cancel},
        {ColourButtonId, 0, ButtonAction::ChooseColour},
        {OkButtonId, 1, ButtonAction::None},  // as from an accelerator
        {CancelButtonId, 1, ButtonAction::None},
        {ColourButtonId, 5, ButtonAction::None},
        {StepSliderId, 0, ButtonAction::None},
        {SwatchId, 0, ButtonAction::None},
        {1, 0, ButtonAction::None},
        {2, 0, ButtonAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ActionOf(c.id, c.code), c.action) << "control " << c.id << " code " << c.code;
}

TEST(Keys, TabGoesRoundTheRingEnterPressesEscapeCancels) {
    using K = KeyMeaning;
    const std::vector<int> ring = ReadingOrderRing(ControlRows);
    ASSERT_EQ(ring, std::vector<int>(std::begin(FocusRing), std::end(FocusRing))) << "not the reading order";
    for (size_t i = 0; i < ring.size(); ++i) {
        const int next = ring[(i + 1) % ring.size()];
        EXPECT_TRUE(MeaningOfKey(TabKey, false, ring[i]) == (K{K::Focus, next})) << "Tab from " << ring[i];
        EXPECT_TRUE(MeaningOfKey(TabKey, true, next) == (K{K::Focus, ring[i]})) << "Shift+Tab from " << next;
    }
    const struct { int key; bool shift; int focused; KeyMeaning meaning; } cases[] = {
        {TabKey, false, 0, {K::Focus, ColourButtonId}},  // from the window itself
        {TabKey, true, StepLabelId, {K::Focus, CancelButtonId}},
        {ReturnKey, false, ColourButtonId, {K::Press, ColourButtonId}},
        {ReturnKey, true, CancelButtonId, {K::Press, CancelButtonId}},
        {ReturnKey, false, SpeedSliderId, {K::Press, OkButtonId}},
        {EscapeKey, false, OkButtonId, {K::Press, CancelButtonId}},
        {0x27, false, SpeedSliderId, {K::Pass, 0}},  // right arrow: the slider's own
        {0x20, false, OkButtonId, {K::Pass, 0}},     // space: the button's own
    };
    for (const auto& c : cases) {
        const KeyMeaning got = MeaningOfKey(c.key, c.shift, c.focused);
        EXPECT_TRUE(got == c.meaning) << "key " << c.key << " shift " << c.shift << " on " << c.focused
                                      << ": kind " << got.kind << " id " << got.id;
    }
}

// How two controls stand: overlapping, touching along an edge or corner, or apart.
enum class Relation { Overlap, Touch, Apart };

Relation RelationOf(const PixelRect& a, const PixelRect& b) {
    if (a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom()) return Relation::Overlap;
    if (a.x <= b.right() && b.x <= a.right() && a.y <= b.bottom() && b.y <= a.bottom()) return Relation::Touch;
    return Relation::Apart;
}

// Rounding each rectangle's size on its own would let neighbours that touch
// at 96 dpi overlap or part at another; the credit line inside its box must
// stay inside it, and the labels beside their sliders.
TEST(ControlTable, EveryPairOfControlsStandsAtEveryScaleAsAt96Dpi) {
    for (int dpi : {120, 144, 168, 192, 240, 288}) {
        const Scale scale{dpi};
        for (size_t i = 0; i < std::size(ControlRows); ++i)
            for (size_t j = i + 1; j < std::size(ControlRows); ++j) {
                const ControlRow& a = ControlRows[i];
                const ControlRow& b = ControlRows[j];
                EXPECT_EQ(RelationOf(scale(a.place()), scale(b.place())), RelationOf(a.place(), b.place()))
                    << "controls " << a.id << " and " << b.id << " at " << dpi << " dpi";
            }
    }
}

// Black first, the last a light grey of 225 (0xE1E1E1): no white.
TEST(CustomGreys, SixteenGreysFromBlackInStepsOfFifteen) {
    std::set<std::uint32_t> distinct;
    for (int i = 0; i < CustomColourCount; ++i) {
        const std::uint32_t colour = CustomGrey(i);
        const std::uint32_t red = colour & 0xFF;
        EXPECT_EQ(colour, red | red << 8 | red << 16) << "entry " << i << " is not a grey";
        EXPECT_EQ(red, 15u * static_cast<std::uint32_t>(i));
        distinct.insert(colour);
    }
    EXPECT_EQ(distinct.size(), 16u);
}

}  // namespace
