#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "saver/monitors.h"

// Failures name the rectangles, not their bytes.
void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

constexpr ScreenRect Primary = {0, 0, 1024, 768};

struct Layout {
    const char* desk;
    std::vector<ScreenRect> monitors;
    std::vector<ScreenRect> covers;
};

TEST(OtherMonitors, EachOtherMonitorGetsExactlyItsOwnRectangleOnce) {
    const ScreenRect right = {1024, 0, 1824, 600};
    const ScreenRect left = {-1280, -200, 0, 824};
    const ScreenRect above = {0, -768, 1024, 0};
    const std::vector<Layout> layouts = {
        {"one monitor", {Primary}, {}},
        {"none reported", {}, {}},
        {"a second one to the right", {Primary, right}, {right}},
        {"the primary listed last", {right, Primary}, {right}},
        {"left of and higher than the primary", {left, Primary}, {left}},
        {"three, in the order given", {above, Primary, right, left}, {above, right, left}},
        {"a mirror of the primary", {Primary, Primary}, {}},
        {"a smaller mirror inside the primary", {Primary, {0, 0, 800, 600}}, {}},
        {"the same other monitor twice", {Primary, right, right}, {right}},
        {"empty rectangles", {Primary, {1024, 0, 1024, 600}, {1024, 600, 1824, 0}}, {}},
        {"overlapping the primary's edge: still covered whole", {Primary, {1000, 0, 1800, 600}},
         {{1000, 0, 1800, 600}}},
    };
    for (const Layout& layout : layouts)
        EXPECT_EQ(OtherMonitorCovers(Primary, layout.monitors), layout.covers) << layout.desk;
}

}  // namespace
