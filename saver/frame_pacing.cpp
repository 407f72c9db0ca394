#include "saver/frame_pacing.h"

#include <algorithm>

namespace {

// The coarsest tick of a Windows timer; oversleeping by more is lateness.
constexpr std::int64_t TimerTickUs = 16'000;

}  // namespace

std::uint32_t FrameCountOf(std::uint32_t weight) { return 205u - weight; }

std::int64_t FrameMicroseconds(std::uint32_t frameCount) {
    return std::max<std::int64_t>(static_cast<std::int32_t>(frameCount), 1) * 1000;
}

std::int64_t CounterMicroseconds(std::int64_t count, std::int64_t frequency) {
    return count / frequency * 1'000'000 + count % frequency * 1'000'000 / frequency;
}

bool CursorMovedFar(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by, const Scale& scale) {
    // In 64 bits: readings at opposite ends of the int32 range must not overflow.
    // A distance of d pixels is d * 96 / dpi design pixels; two or more count.
    const std::int64_t far = 2 * static_cast<std::int64_t>(scale.dpi);
    const std::int64_t dx = (static_cast<std::int64_t>(ax) - bx) * Scale::DesignDpi;
    const std::int64_t dy = (static_cast<std::int64_t>(ay) - by) * Scale::DesignDpi;
    return dx >= far || dx <= -far || dy >= far || dy <= -far;
}

std::int64_t ScheduleFrame(FrameClock& clock, std::int64_t now, std::int64_t frameUs) {
    const std::int64_t makeUp = clock.overslept <= std::min(TimerTickUs, frameUs / 2) ? clock.overslept : 0;
    clock.deadline = now + frameUs - makeUp;
    return clock.deadline;
}

void FrameWaitEnded(FrameClock& clock, std::int64_t now) { clock.overslept = std::max<std::int64_t>(now - clock.deadline, 0); }

std::int64_t SleepBeforeLooking(const FrameClock& clock, std::int64_t now) {
    return std::clamp<std::int64_t>(clock.deadline - now, 0, InputLookUs);
}
