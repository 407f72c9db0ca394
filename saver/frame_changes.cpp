#include "saver/frame_changes.h"

#include <algorithm>

namespace {

std::int64_t Area(const ScreenRect& r) {
    return static_cast<std::int64_t>(r.right - r.left) * (r.bottom - r.top);
}

ScreenRect Bounding(const ScreenRect& a, const ScreenRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// In 64 bits: a dog far off the screen may stand near the ends of the int32 range.
std::int32_t Clamp(std::int64_t v, std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(v, low), high));
}

void SetWhole(ChangedArea& area, const ScreenRect& bounds) {
    area.count = 0;
    AddChange(area, bounds, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

}  // namespace

void AddChange(ChangedArea& area, const ScreenRect& bounds, std::int64_t left, std::int64_t top,
               std::int64_t width, std::int64_t height) {
    ScreenRect r = {Clamp(left, bounds.left, bounds.right), Clamp(top, bounds.top, bounds.bottom),
                    Clamp(left + width, bounds.left, bounds.right), Clamp(top + height, bounds.top, bounds.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return;
    for (std::int32_t i = 0; i < area.count;) {
        const ScreenRect both = Bounding(area.rect[i], r);
        if (Area(both) > Area(area.rect[i]) + Area(r)) {
            ++i;
            continue;
        }
        // The merged rectangle may now be worth merging with one passed over.
        r = both;
        area.rect[i] = area.rect[--area.count];
        i = 0;
    }
    if (area.count == ChangedRectSlots) {
        for (const ScreenRect& other : area) r = Bounding(r, other);
        area.count = 0;
    }
    area.rect[area.count++] = r;
}

void StartChanges(FrameChanges& changes, std::int32_t cx, std::int32_t cy) {
    changes.bounds = {0, 0, std::max(cx, 0), std::max(cy, 0)};
    SetWhole(changes.frame, changes.bounds);
    SetWhole(changes.screen, changes.bounds);
}

void ForgetScreen(FrameChanges& changes) { SetWhole(changes.screen, changes.bounds); }

void NoteDrawn(FrameChanges& changes, std::int64_t left, std::int64_t top, std::int64_t width,
               std::int64_t height) {
    AddChange(changes.frame, changes.bounds, left, top, width, height);
    AddChange(changes.screen, changes.bounds, left, top, width, height);
}

bool PresentsWhole(const FrameChanges& changes) {
    std::int64_t changed = 0;
    for (const ScreenRect& r : changes.screen) changed += Area(r);
    return 2 * changed >= Area(changes.bounds);
}
