// Which monitors the saver covers besides the primary, without windows.h.
#pragma once

#include <vector>

#include "saver/screen_rect.h"

// The saver window covers the primary rectangle; every other monitor gets a
// plain window of its own, in the order given. A monitor lying inside the
// primary (a mirrored panel), an empty one or a repeat gets none, so no part
// of the screen is covered twice.
std::vector<ScreenRect> OtherMonitorCovers(const ScreenRect& primary,
                                           const std::vector<ScreenRect>& monitors);
