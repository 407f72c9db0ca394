#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "saver/frame_changes.h"

namespace {

constexpr std::int32_t W = 64, H = 48;

struct Cell { std::int32_t x, y, w, h; };

// The saver's copies on plain pixels: cells drawn opaque, so any pixel of a
// cell the record leaves out shows as wrong.
struct Model {
    std::vector<int> background = std::vector<int>(W * H, 0), frame = background, screen = background;
    FrameChanges changes = {};
    Model() { StartChanges(changes, W, H); }

    static void copy(std::vector<int>& to, const std::vector<int>& from, const ScreenRect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) to[y * W + x] = from[y * W + x];
    }
    // Clears, draws and presents one frame; the pixels presented.
    std::int64_t show(const std::vector<Cell>& cells, int colour) {
        ClearChanges(changes, [&](const ScreenRect& r) { copy(frame, background, r); });
        EXPECT_EQ(frame, background) << "the clear left part of the last frame";
        for (const Cell& c : cells) {
            for (std::int64_t y = std::max(c.y, 0); y < std::min<std::int64_t>(std::int64_t{c.y} + c.h, H); ++y)
                for (std::int64_t x = std::max(c.x, 0); x < std::min<std::int64_t>(std::int64_t{c.x} + c.w, W); ++x)
                    frame[y * W + x] = colour;
            NoteDrawn(changes, c.x, c.y, c.w, c.h);
        }
        std::int64_t presented = 0;
        PresentChanges(changes, [&](const ScreenRect& r) {
            copy(screen, frame, r);
            presented += std::int64_t{r.right - r.left} * (r.bottom - r.top);
        });
        return presented;
    }
};

std::vector<Cell> Crowd(int shift) {  // 40 small cells, none touching
    std::vector<Cell> cells;
    for (int i = 0; i < 40; ++i) cells.push_back({(i % 8) * 8 + shift, (i / 8) * 9 + shift, 3, 2});
    return cells;
}

// Every frame as a whole copy would show it; and the screen whole again
// once it is forgotten (the display was off, or the window DC is new).
TEST(FrameChanges, EveryFrameReachesTheScreenCopyingOnlyWhatChangedAndIsRepaired) {
    const struct {
        const char* what;
        std::vector<std::vector<Cell>> frames;
        bool withinCells;  // presents no more than the cells of this frame and the last
    } cases[] = {
        {"a dog steps right", {{{10, 10, 15, 12}}, {{18, 10, 15, 12}}, {{26, 10, 15, 12}}}, true},
        {"a dog hops", {{{10, 20, 15, 12}}, {{10, 18, 15, 12}}, {{10, 15, 15, 12}}, {{10, 18, 15, 12}}}, true},
        {"a dog turns at a new height", {{{50, 5, 15, 12}}, {{58, 5, 15, 12}}, {{58, 30, 15, 12}}}, true},
        {"dogs overlap and cross", {{{10, 10, 15, 12}, {14, 12, 15, 12}}, {{18, 10, 15, 12}, {6, 12, 15, 12}}}, true},
        {"a dog over every edge", {{{-10, -5, 15, 12}}, {{55, 40, 15, 12}}, {{64, 10, 15, 12}}, {{-15, 47, 15, 12}}}, true},
        {"far off", {{{-INT32_MAX, INT32_MAX, 15, 12}}, {{INT32_MAX, 0, 15, 12}}, {{0, 0, 15, 12}}}, true},
        {"no dog", {{}, {}}, true},
        {"more changes than slots", {Crowd(0), Crowd(1), Crowd(2)}, false},
    };
    for (const auto& c : cases) {
        Model model;
        model.show({}, 0);
        std::int64_t last = 0;
        for (size_t f = 0; f < c.frames.size(); ++f) {
            std::int64_t cells = 0;
            for (const Cell& cell : c.frames[f]) cells += std::int64_t{cell.w} * cell.h;
            const std::int64_t presented = model.show(c.frames[f], static_cast<int>(f + 1));
            EXPECT_EQ(model.screen, model.frame) << c.what << ", frame " << f << ": not what a whole copy shows";
            if (c.withinCells) {
                EXPECT_LE(presented, last + cells) << c.what << ", frame " << f;
            }
            last = cells;
        }
        model.screen.assign(W * H, 99);
        ForgetScreen(model.changes);
        model.show(c.frames.back(), static_cast<int>(c.frames.size()));
        EXPECT_EQ(model.screen, model.frame) << c.what << ": the forgotten screen was not presented whole";
    }
}

}  // namespace
