// The settings window: what the rest of the program may use.
#pragma once

#include <windows.h>

// The procedure installed on the settings window.
LRESULT CALLBACK SettingsWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
