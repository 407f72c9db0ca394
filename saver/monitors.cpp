#include "saver/monitors.h"

#include <algorithm>

namespace {

int current = 0;

bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool IsInside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

RunLayout LayOutRuns(const std::vector<Monitor>& monitors, const RunLayout& before) {
    // The primary first, then the others in the system's order.
    std::vector<const Monitor*> order;
    for (const Monitor& m : monitors)
        if (m.primary) order.insert(order.begin(), &m);
        else order.push_back(&m);

    RunLayout after = {};
    std::vector<const Monitor*> placed;
    std::vector<const Monitor*> newcomers;
    for (const Monitor* m : order) {
        if (IsEmpty(m->rect)) continue;
        if (std::any_of(placed.begin(), placed.end(), [&](const Monitor* p) { return IsInside(m->rect, p->rect); }))
            continue;
        placed.push_back(m);
        int run = -1;
        if (m == order.front() && m->primary) run = 0;
        for (int r = 1; run < 0 && r < MaxRuns; ++r)
            if (before.name[r] == m->name && !after.shown(r)) run = r;
        if (run < 0) {
            newcomers.push_back(m);
            continue;
        }
        after.rect[run] = m->rect;
        after.name[run] = m->name;
    }
    for (const Monitor* m : newcomers) {
        // Run 0 only for the primary; past the last run a monitor has no show.
        for (int r = 1; r < MaxRuns; ++r)
            if (!after.shown(r) && !before.shown(r)) {
                after.rect[r] = m->rect;
                after.name[r] = m->name;
                break;
            }
    }
    return after;
}

int CurrentRun() { return current; }

void SelectRun(int run) { current = run; }
