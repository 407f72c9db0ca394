#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "saver/intro_layout.h"

namespace {

TEST(TitleCard, ColumnIsCentredAndRoundedToEven) {
    // From 1023 and 1025, 361.5 and 362.5 go to the even neighbour.
    for (const auto& [cx, column] : {std::pair{1024, 362}, {1920, 810}, {1023, 362}, {1025, 362}, {800, 250}})
        EXPECT_EQ(TitleColumn(cx), column) << cx;
}

TEST(TitleCard, CardRowsLandAroundTheMiddle) {
    // The card row is 12 * band + pass; at an odd height rounded after the row is added.
    const struct { std::int32_t cy, band, pass, row; } cases[] = {
        {768, 0, 1, 261}, {768, 19, 12, 500}, {1080, 0, 1, 417}, {1080, 10, 4, 416 + 124},
        {767, 0, 1, 260}, {767, 0, 2, 262}, {767, 0, 3, 262}, {767, 0, 4, 264},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TitleScreenRow(c.cy, c.band, c.pass), c.row) << c.cy << ", band " << c.band << ", pass " << c.pass;
}

struct TitleCopy { std::int32_t cardRow, x, y, pass; };

std::vector<TitleCopy> RecordTitleReveal(std::int32_t cx, std::int32_t cy) {
    std::vector<TitleCopy> copies;
    std::int32_t pass = 1;
    RunTitleReveal(
        [&] { return RunSize{cx, cy}; }, [&](std::int32_t cardRow, std::int32_t x, std::int32_t y) { copies.push_back({cardRow, x, y, pass}); },
        [&] { ++pass; });
    EXPECT_EQ(pass, 13) << "twelve passes, each ended once";
    return copies;
}

// Screen row -> card row that shows there once the reveal is over.
std::map<std::int32_t, std::int32_t> FinalTitleRows(const std::vector<TitleCopy>& copies) {
    std::map<std::int32_t, std::int32_t> shown;
    for (const TitleCopy& c : copies) shown[c.y] = c.cardRow;
    return shown;
}

TEST(TitleReveal, EveryPassAddsOneRowToEachOfTwentyBands) {
    const std::vector<TitleCopy> copies = RecordTitleReveal(1024, 768);
    ASSERT_EQ(copies.size(), 240u);
    std::set<std::int32_t> cardRows;
    for (size_t i = 0; i < copies.size(); ++i) {
        const TitleCopy& c = copies[i];
        EXPECT_EQ(c.pass, static_cast<std::int32_t>(i / 20) + 1) << "copy " << i;
        EXPECT_EQ((c.cardRow - 1) % 12 + 1, c.pass) << "card row " << c.cardRow;
        EXPECT_EQ(c.x, 362);
        cardRows.insert(c.cardRow);
    }
    EXPECT_EQ(cardRows.size(), 240u);
    EXPECT_EQ(*cardRows.begin(), 1) << "card row 0 is never shown";
    EXPECT_EQ(*cardRows.rbegin(), 240) << "card rows 241-247 are never shown";

    const auto shown = FinalTitleRows(copies);
    ASSERT_EQ(shown.size(), 240u);
    for (const auto& [screenRow, cardRow] : shown) EXPECT_EQ(screenRow, 260 + cardRow);
}

TEST(TitleReveal, OddHeightLeavesEverySecondRowToTheBackground) {
    const auto shown = FinalTitleRows(RecordTitleReveal(1023, 767));
    ASSERT_EQ(shown.size(), 121u);
    for (const auto& entry : shown) EXPECT_EQ(entry.first % 2, 0) << "screen row " << entry.first;
    EXPECT_EQ(shown.begin()->first, 260);
    EXPECT_EQ(shown.rbegin()->first, 500);
    // Where two card rows share a screen row, the later pass wins.
    EXPECT_EQ(shown.at(260), 1);
    EXPECT_EQ(shown.at(262), 3);
    EXPECT_EQ(shown.at(272), 12) << "pass 12 of band 0 comes after pass 1 of band 1";
    EXPECT_EQ(shown.at(274), 15);
    EXPECT_EQ(shown.at(500), 240);
}

TEST(BlindReveal, BandsCoverTheWholeScreenFirstRowsFirst) {
    const struct { std::int32_t cy, lastBand; } cases[] = {{768, 64}, {1080, 90}, {767, 63}, {12, 1}, {11, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(BlindLastBand(c.cy), c.lastBand) << c.cy;
        std::vector<std::int32_t> rows, firstPass, bandStarts;
        int passes = 0;
        RunBlindReveal(c.cy, [&](std::int32_t row) {
            rows.push_back(row);
            if (passes == 0) firstPass.push_back(row);
        }, [&] { ++passes; });
        EXPECT_EQ(passes, 12);
        for (std::int32_t band = 0; band <= c.lastBand; ++band) bandStarts.push_back(12 * band + 1);
        EXPECT_EQ(firstPass, bandStarts) << c.cy << ": the first pass takes the first row of every band";
        const std::set<std::int32_t> distinct(rows.begin(), rows.end());
        EXPECT_EQ(distinct.size(), rows.size()) << c.cy << ": a row copied twice";
        EXPECT_EQ(*distinct.begin(), 1) << c.cy << ": row 0 is left to the title frame";
        EXPECT_EQ(*distinct.rbegin(), 12 * c.lastBand + 12) << c.cy;
        EXPECT_EQ(rows.size(), static_cast<size_t>(12 * (c.lastBand + 1))) << c.cy;
        EXPECT_GE(12 * c.lastBand + 12, c.cy - 1) << c.cy << ": the last screen row is uncovered";
    }
}

TEST(RevealsInPixels, RowsLandAtTheScaleAndMeetWithoutAGap) {
    const struct {
        int dpi;
        PixelCopy title, blind;  // card row 1 at (362, 261); screen row 13
    } cases[] = {
        {96, {362, 261, 300, 1, 1}, {0, 13, 1000, 1, 13}},
        {192, {724, 522, 600, 2, 2}, {0, 26, 1000, 2, 26}},
        {144, {543, 392, 450, 1, 2}, {0, 20, 1000, 1, 20}},  // 391.5 and 19.5 go to the even pixel
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(TitleRowCopy(362, 261, 1, Scale{c.dpi}) == c.title) << c.dpi;
        EXPECT_TRUE(ScreenRowCopy(13, 1000, Scale{c.dpi}) == c.blind) << c.dpi;
    }
    // On a screen of odd pixels, every row is uncovered once, but for the
    // first row of the design that the title frame keeps; the title's rows
    // meet without a gap.
    for (int dpi : {120, 144, 168, 192, 288}) {
        const Scale scale{dpi};
        const std::int32_t cy = scale(767) + 1, designed = scale.cover(cy);
        std::vector<int> times(static_cast<size_t>(scale(designed + 13)), 0);
        RunBlindReveal(designed, [&](std::int32_t row) {
            const PixelCopy copy = ScreenRowCopy(row, 1, scale);
            for (std::int32_t y = copy.y; y < copy.y + copy.height; ++y) ++times.at(static_cast<size_t>(y));
        }, [] {});
        for (std::int32_t y = 0; y < cy; ++y)
            ASSERT_EQ(times[static_cast<size_t>(y)], y < scale(1) ? 0 : 1) << "row " << y << " at " << dpi;

        // Each card row keeps its own pixel rows, so none is drawn twice or
        // left out, also where the card's top falls between two pixels (770):
        // within a reveal the card moves as a whole, every screen row the same
        // distance from the card row it shows.
        for (std::int32_t designHeight : {768, 770}) {
            std::set<std::int32_t> titleRows, offsets;
            const auto copyRow = [&](std::int32_t cardRow, std::int32_t x, std::int32_t y) {
                const PixelCopy copy = TitleRowCopy(x, y, cardRow, scale);
                offsets.insert(copy.y - copy.sourceRow);
                for (std::int32_t r = copy.y; r < copy.y + copy.height; ++r) ASSERT_TRUE(titleRows.insert(r).second) << r;
            };
            RunTitleReveal([&] { return RunSize{1024, designHeight}; }, copyRow, [] {});
            EXPECT_EQ(offsets.size(), 1u) << "rows of the card moved apart at " << dpi << ", " << designHeight;
            EXPECT_EQ(titleRows.size(), static_cast<size_t>(*titleRows.rbegin() - *titleRows.begin() + 1)) << dpi;
            EXPECT_EQ(titleRows.size(), static_cast<size_t>(scale(241) - scale(1))) << dpi;
            EXPECT_EQ(*titleRows.begin() - *offsets.begin(), scale(1)) << "card row 1 is not the first shown at " << dpi;
        }
    }
}

TEST(ClockSeconds, CountedOnTheSecondsFieldAcrossTheMinute) {
    const struct { unsigned start, now; std::int32_t seconds; } cases[] = {
        {59, 1, 2}, {58, 0, 2}, {10, 12, 2}, {30, 30, 0}, {0, 59, 59}, {1, 0, 59}};
    for (const auto& c : cases) EXPECT_EQ(ClockSecondsBetween(c.start, c.now), c.seconds) << c.start << " to " << c.now;
}

// How often the wait waits, reading the clock's seconds field from the list.
int WaitsFor(std::int32_t n, const std::vector<unsigned>& seconds) {
    size_t reads = 0;
    int waits = 0;
    RunClockWait(n, [&] { ++waits; }, [&] { return seconds.at(reads++); });
    EXPECT_EQ(reads, static_cast<size_t>(waits) + 1) << "one reading after every wait";
    return waits;
}

TEST(ClockWait, EndsAtTheFirstReadingNSecondsOnAfterOneWaitAtLeast) {
    EXPECT_EQ(WaitsFor(2, {59, 59, 59, 0, 0, 1, 2}), 5) << "59 to 1 is two seconds";
    EXPECT_EQ(WaitsFor(4, {20, 21, 22, 23, 24}), 4);
    EXPECT_EQ(WaitsFor(2, {20, 23}), 1) << "a reading past the mark ends it too";
    EXPECT_EQ(WaitsFor(0, {5, 5}), 1) << "even when no time need pass, the wait polls for input once";
}

}  // namespace
