// The saver display: what the rest of the program may use.
#pragma once

#include <windows.h>

// The procedure installed on the saver window.
LRESULT CALLBACK SaverWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
