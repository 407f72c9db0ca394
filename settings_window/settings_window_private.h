// Shared between the files of settings_window/ only.
#pragma once

#include <windows.h>

#include <cstdint>

// One child control of the settings window, in client-area pixels.
struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
};

// The nineteen controls in creation (identifier) order.
extern const ControlRow ControlRows[19];

constexpr int SwatchWidth = 90;
constexpr int SwatchHeight = 33;

// The colour dialog, opened on colour; writes the choice back into it and
// returns non-zero when the user pressed the dialog's OK.
BOOL PickColour(HWND owner, std::int32_t& colour);

// Fills the swatch's whole client area with BgColor, straight to its own
// device context; does nothing once the settings window is gone.
void PaintSwatch();

// The colour button's click: the dialog, then the swatch.
void OnColourButton();
