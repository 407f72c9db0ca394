// Shared between the files of saver/ only.
#pragma once

#include <windows.h>

#include "app/scale.h"

// One frame's pause of FrameCount 1 ms steps, polling for input after every
// step; on input it ends the process and does not return.
void WaitFrame();

// The whole saver run from the first paint, at the display's scale: intro,
// then hops for ever.
[[noreturn]] void RunSaver(HDC paintDC, const Scale& scale);

// The run's dogs (the settings loaded, the surfaces built).
void PlaceDogs();
void DrawDogs(int phase);  // clears the frame and draws every dog; does not present
void HopCycle();
