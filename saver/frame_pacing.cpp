#include "saver/frame_pacing.h"

std::uint32_t FrameCountOf(std::uint32_t weight) { return 205u - weight; }

bool CursorMovedFar(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by) {
    // In 64 bits: readings at opposite ends of the int32 range must not overflow.
    const std::int64_t dx = static_cast<std::int64_t>(ax) - bx;
    const std::int64_t dy = static_cast<std::int64_t>(ay) - by;
    return dx > 1 || dx < -1 || dy > 1 || dy < -1;
}
