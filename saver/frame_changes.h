// Which parts of the frame and of the screen changed, without windows.h: the
// saver copies only those, so a frame costs what the dogs cover, not the
// screen.
#pragma once

#include <cstdint>

#include "saver/screen_rect.h"

constexpr std::int32_t ChangedRectSlots = 32;

// Rectangles that cover, and may exceed, where one surface differs from
// another.
struct ChangedArea {
    ScreenRect rect[ChangedRectSlots];
    std::int32_t count;
    const ScreenRect* begin() const { return rect; }
    const ScreenRect* end() const { return rect + count; }
};

// The record the surfaces keep between copies.
struct FrameChanges {
    ScreenRect bounds;    // the run's screen: 0, 0, cx, cy
    ChangedArea frame;    // where the frame differs from the background
    ChangedArea screen;   // where the screen may differ from the frame
};

// Adds a rectangle given by its corner and size, clipped to bounds. One that
// costs no more copied together with another as their bounding rectangle is
// merged with it; past the slots all become one bounding rectangle.
void AddChange(ChangedArea& area, const ScreenRect& bounds, std::int64_t left, std::int64_t top,
               std::int64_t width, std::int64_t height);

// A new cx x cy run: the frame is undefined and the screen unknown, so the
// first clear and the first present copy everything.
void StartChanges(FrameChanges& changes, std::int32_t cx, std::int32_t cy);

// Whatever the screen shows now, the next present replaces all of it.
void ForgetScreen(FrameChanges& changes);

// Something was drawn into the frame.
void NoteDrawn(FrameChanges& changes, std::int64_t left, std::int64_t top, std::int64_t width,
               std::int64_t height);

// The next present copies the whole screen: the changes cover half of it
// anyway, and one copy costs less than many.
bool PresentsWhole(const FrameChanges& changes);

// The frame back to the background: restore(rect) for every changed part,
// which the screen then no longer shows as it is.
template <typename Restore>
void ClearChanges(FrameChanges& changes, Restore restore) {
    for (const ScreenRect& r : changes.frame) {
        restore(r);
        AddChange(changes.screen, changes.bounds, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    changes.frame.count = 0;
}

// The frame to the screen: copy(rect) for every part the screen may show
// otherwise, or once for the whole screen.
template <typename Copy>
void PresentChanges(FrameChanges& changes, Copy copy) {
    if (PresentsWhole(changes)) {
        copy(changes.bounds);
    } else {
        for (const ScreenRect& r : changes.screen) copy(r);
    }
    changes.screen.count = 0;
}
