// The preview inside the Display control panel: what the rest may use.
#pragma once

#include <windows.h>

// The procedure installed on the preview window.
LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
