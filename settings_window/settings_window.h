// The settings window: what the rest of the program may use.
#pragma once

#include <windows.h>

// The procedure installed on the settings window.
LRESULT CALLBACK SettingsWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Tab, Shift+Tab, Enter and Escape pressed in the settings window, for the
// modal loop to hand over before it translates a message: true when the key
// was acted on and must go no further.
bool SettingsWindowKey(const MSG& message);
