// Frame pacing arithmetic, without windows.h.
#pragma once

#include <cstdint>

#include "app/scale.h"

// The saver keeps its frame count where the speed setting was: 205 less the
// slider value (200 -> 5 steps, 0 -> 205), wrapped to 32 bits so that any
// hand-written weight still gives a value.
std::uint32_t FrameCountOf(std::uint32_t weight);

// True when the cursor went two pixels or more in either axis between two
// readings; a one-pixel tremble of the mouse does not end the saver. The
// pixels are 96-dpi ones (four at 200 %), so the same hand movement ends it
// at any scale.
bool CursorMovedFar(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by, const Scale& scale = {});

// Runs pollStep once per 1 ms step of one frame. The frame count is read again
// before every further step (as a signed 32-bit value), and at least one step
// is always made: a frame count of 0 or less from a hand-edited weight would
// otherwise never poll, and the full-screen saver could not be left.
template <typename FrameCount, typename PollStep>
void RunPollingSteps(FrameCount frameCount, PollStep pollStep) {
    std::int32_t step = 0;
    do {
        ++step;
        pollStep();
    } while (step < static_cast<std::int32_t>(frameCount()));
}
