#include "saver/monitors.h"

#include <algorithm>

namespace {

bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool IsInside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<ScreenRect> OtherMonitorCovers(const ScreenRect& primary,
                                           const std::vector<ScreenRect>& monitors) {
    std::vector<ScreenRect> covers;
    for (const ScreenRect& monitor : monitors) {
        if (IsEmpty(monitor) || IsInside(monitor, primary)) continue;
        if (std::find(covers.begin(), covers.end(), monitor) == covers.end()) covers.push_back(monitor);
    }
    return covers;
}
