// The saver display: what the rest of the program may use.
#pragma once

#include <windows.h>

// Asks for a 1 ms system timer resolution for the frame pacing; the saver
// ends it when it ends.
void BeginTimerPeriod();

// The procedure installed on the saver window.
LRESULT CALLBACK SaverWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
