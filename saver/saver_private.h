// Shared between the files of saver/ only.
#pragma once

#include <windows.h>

// One frame's pause of FrameCount 1 ms steps, polling for input after every
// step; on input it ends the process and does not return.
void WaitFrame();

// The whole saver run from the first paint: intro, then hops for ever.
[[noreturn]] void RunSaver(HDC paintDC);

// The run's dogs (the settings loaded, the surfaces built).
void PlaceDogs();
void DrawDogs(int phase);  // clears the frame and draws every dog; does not present
void HopCycle();
