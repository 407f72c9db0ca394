// Shared between the files of settings_window/ only.
#pragma once

#include <windows.h>

#include <cstdint>

// The colour dialog, opened on colour; writes the choice back into it and
// returns non-zero when the user pressed the dialog's OK.
BOOL PickColour(HWND owner, std::int32_t& colour);

// Fills the swatch's whole client area with BgColor, straight to its own
// device context; does nothing once the settings window is gone.
void PaintSwatch();

// The colour button's click: the dialog, then the swatch.
void OnColourButton();
