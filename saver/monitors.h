// Which show runs on which monitor, without windows.h. Every monitor runs a
// show of its own; run 0 is the primary's, the saver window's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "saver/screen_rect.h"

constexpr int MaxRuns = 16;

struct Monitor {
    ScreenRect rect;    // in the desktop's pixels
    std::wstring name;  // the system's name of its display output
    bool primary;
};

// The monitor of each run; an empty name is a free run.
struct RunLayout {
    ScreenRect rect[MaxRuns];
    std::wstring name[MaxRuns];
    bool shown(int run) const { return !name[run].empty(); }
};

// The runs after a display change, from the monitors the system now lists
// and the runs before it. The primary monitor has run 0 always; a monitor
// that a run showed before keeps that run (by name, so one that changes
// resolution goes on with its show); a new one takes the first free run.
// A monitor that lies within another (a mirror), an empty one or a repeat
// gets none, so no part of the desk is drawn twice; the runs of monitors
// that are gone are free.
RunLayout LayOutRuns(const std::vector<Monitor>& monitors, const RunLayout& before);

// The run being drawn or answered for now: each run keeps its surfaces,
// intro, dogs and random state apart, under this number.
int CurrentRun();
void SelectRun(int run);
