// Shared between the files of saver/ only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/scale.h"

// ---- The wait between frames (frame_wait.cpp) -----------------------------
// Sets the pace up for the run: one frame's wait from the frame count.
void StartFramePacing(std::uint32_t frameCount);
// Sleeps until the next frame is due, answering what arrives meanwhile; on
// input it ends the process and does not return.
void WaitFrame();
// Every end of the saver: the timer resolution given back, exit code 0.
[[noreturn]] void EndSaver();

// ---- The saver window (saver_window.cpp) ----------------------------------
// The scale of the monitor the saver window covers.
const Scale& SaverScale();
// While Windows reports the display off, nothing is drawn.
bool DisplayAsleep();
// After a change of the display's size, layout or scale: the windows cover
// the monitors again and the run goes on in surfaces of the new size.
void FollowDisplayChange();

// ---- The run (intro.cpp, dog_animation.cpp) -------------------------------
// The whole saver run from the first paint, at the display's scale: intro,
// then hops for ever.
[[noreturn]] void RunSaver(const Scale& scale);
// The same run, from where it is, in surfaces made anew for the display.
void RefitRun(const Scale& scale);

// The run's dogs (the settings loaded, the surfaces built).
void PlaceDogs();
void DrawDogs(int phase);  // clears the frame and draws every dog; does not present
void DrawShownDogs();      // the frame on the screen, drawn again
void FitDogsToRun();       // every dog within the run's height, once placed
void HopCycle();
