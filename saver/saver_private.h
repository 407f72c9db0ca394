// Shared between the files of saver/ only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/scale.h"
#include "saver/screen_rect.h"

// ---- The one wait of every frame (frame_wait.cpp) -------------------------
// Sets the pace up for the saver: one frame's wait from the frame count.
void StartFramePacing(std::uint32_t frameCount);
// Sleeps until the next frame is due, answering what arrives meanwhile; on
// input it ends the process and does not return.
void SleepUntilNextFrame();
// Every end of the saver: the timer resolution given back, exit code 0.
[[noreturn]] void EndSaver();

// ---- A show on every monitor (shows.cpp) -----------------------------------
// Runs every monitor's show from the first paint, all in step: each draws
// its frame, then one wait serves them all. Never returns.
[[noreturn]] void RunShows();
// Inside a show: its frame is drawn, the next comes after the wait.
void WaitFrame();
// The show being drawn (CurrentRun): its window, its monitor in the
// desktop's pixels, and the monitor's scale.
HWND ShowWindowHandle();
const ScreenRect& ShowArea();
const Scale& ShowScale();
// The scale of the monitor under a point of the desktop.
const Scale& ScaleAt(POINT point);
// A display changed (size, layout, scale): followed at the next wake.
void NoteDisplayChange();
void FollowDisplayChange();
// Repaints a show's window from its frame, where its show has one.
void RepaintShow(HWND window, HDC paintDC, const RECT& area);
// Every show's frame to its screen, whole: after the display was off.
void PresentEveryShowWhole();

// ---- The windows (saver_window.cpp) ---------------------------------------
// The window of a monitor other than the primary's.
LRESULT CALLBACK OtherMonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// While Windows reports the display off, nothing is drawn.
bool DisplayAsleep();

// ---- One show (intro.cpp, dog_animation.cpp) -------------------------------
// The show from its first frame: intro, then hops for ever.
[[noreturn]] void RunSaver();
// The same show, from where it is, in surfaces made anew for its monitor.
void RefitRun();

// The show's dogs (the settings loaded, the surfaces built).
void ResetDogs();          // none placed yet: a show begins
void PlaceDogs();
void DrawDogs(int phase);  // clears the frame and draws every dog; does not present
void DrawShownDogs();      // the frame on the screen, drawn again
void FitDogsToRun();       // every dog within the show's height, once placed
void HopCycle();
