#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "saver/monitors.h"
#include "saver/random.h"

// Failures name the rectangles, not their bytes.
void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

constexpr ScreenRect Primary = {0, 0, 1024, 768};
constexpr ScreenRect Right = {1024, 0, 1824, 600};
constexpr ScreenRect Left = {-1280, -200, 0, 824};
constexpr ScreenRect Above = {0, -768, 1024, 0};

Monitor Main(const ScreenRect& r = Primary) { return {r, L"\\\\.\\DISPLAY1", true}; }
Monitor Other(const ScreenRect& r, const wchar_t* name) { return {r, name, false}; }

using Runs = std::vector<std::pair<int, ScreenRect>>;  // run and rectangle, in run order

Runs Shown(const RunLayout& layout) {
    Runs shown;
    for (int run = 0; run < MaxRuns; ++run)
        if (layout.shown(run)) shown.push_back({run, layout.rect[run]});
    return shown;
}

struct Desk { const char* what; std::vector<Monitor> monitors; Runs runs; };

TEST(MonitorRuns, EveryMonitorGetsOneShowThePrimaryRunZero) {
    const std::vector<Desk> desks = {
        {"one monitor", {Main()}, {{0, Primary}}},
        {"none reported", {}, {}},
        {"a second one to the right", {Main(), Other(Right, L"2")}, {{0, Primary}, {1, Right}}},
        {"the primary listed last", {Other(Right, L"2"), Main()}, {{0, Primary}, {1, Right}}},
        {"three, in the order given", {Other(Above, L"2"), Main(), Other(Right, L"3"), Other(Left, L"4")},
         {{0, Primary}, {1, Above}, {2, Right}, {3, Left}}},
        {"a mirror of the primary", {Main(), Other(Primary, L"2")}, {{0, Primary}}},
        {"a smaller mirror inside the primary", {Main(), Other({0, 0, 800, 600}, L"2")}, {{0, Primary}}},
        {"the same other monitor twice", {Main(), Other(Right, L"2"), Other(Right, L"3")}, {{0, Primary}, {1, Right}}},
        {"empty rectangles", {Main(), Other({1024, 0, 1024, 600}, L"2"), Other({1024, 600, 1824, 0}, L"3")},
         {{0, Primary}}},
        {"overlapping the primary's edge: a show of its own", {Main(), Other({1000, 0, 1800, 600}, L"2")},
         {{0, Primary}, {1, {1000, 0, 1800, 600}}}},
    };
    for (const Desk& desk : desks) EXPECT_EQ(Shown(LayOutRuns(desk.monitors, {})), desk.runs) << desk.what;
}

// A display change: shows stay with their monitors, by name.
TEST(MonitorRuns, ShowsFollowTheirMonitorsThroughADisplayChange) {
    const RunLayout three = LayOutRuns({Main(), Other(Right, L"2"), Other(Left, L"3")}, {});
    const ScreenRect wider = {1024, 0, 2304, 1024};
    const std::vector<Desk> changes = {
        {"one grows: it keeps its show", {Main(), Other(wider, L"2"), Other(Left, L"3")},
         {{0, Primary}, {1, wider}, {2, Left}}},
        {"one goes: its run is free, the others keep theirs", {Main(), Other(Left, L"3")}, {{0, Primary}, {2, Left}}},
        {"one comes while another goes: a run not freed at that moment", {Main(), Other(Left, L"3"), Other(Above, L"4")},
         {{0, Primary}, {2, Left}, {3, Above}}},
        {"the primary grows", {Main({0, 0, 1280, 1024}), Other(Right, L"2"), Other(Left, L"3")},
         {{0, {0, 0, 1280, 1024}}, {1, Right}, {2, Left}}},
        {"another monitor becomes the primary: run 0 follows the primary",
         {Other(Primary, L"\\\\.\\DISPLAY1"), {Right, L"2", true}, Other(Left, L"3")},
         {{0, Right}, {2, Left}, {3, Primary}}},
    };
    for (const Desk& change : changes) EXPECT_EQ(Shown(LayOutRuns(change.monitors, three)), change.runs) << change.what;
}

TEST(MonitorRuns, EachShowHasASeedOfItsOwnThePrimaryTheTick) {
    for (const std::uint32_t tick : {0u, 12345u, 0xFFFFFFFFu}) {
        EXPECT_EQ(RunSeed(tick, 0), tick) << "the primary's crowd as on one monitor";
        std::vector<std::uint32_t> seeds;
        for (int run = 0; run < MaxRuns; ++run) seeds.push_back(RunSeed(tick, run));
        std::sort(seeds.begin(), seeds.end());
        EXPECT_EQ(std::unique(seeds.begin(), seeds.end()), seeds.end()) << "two shows with one seed at " << tick;
    }
}

}  // namespace
