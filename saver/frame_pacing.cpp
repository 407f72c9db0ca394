#include "saver/frame_pacing.h"

std::uint32_t FrameCountOf(std::uint32_t weight) { return 205u - weight; }

bool CursorMovedFar(std::int32_t ax, std::int32_t ay, std::int32_t bx, std::int32_t by, const Scale& scale) {
    // In 64 bits: readings at opposite ends of the int32 range must not overflow.
    // A distance of d pixels is d * 96 / dpi design pixels; two or more count.
    const std::int64_t far = 2 * static_cast<std::int64_t>(scale.dpi);
    const std::int64_t dx = (static_cast<std::int64_t>(ax) - bx) * Scale::DesignDpi;
    const std::int64_t dy = (static_cast<std::int64_t>(ay) - by) * Scale::DesignDpi;
    return dx >= far || dx <= -far || dy >= far || dy <= -far;
}
