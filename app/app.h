// Start-up and modes: what the rest of the program may use.
#pragma once

#include <windows.h>

#include "app/scale.h"

// Slots of FormSlot, in their fixed order.
enum FormSlotIndex { MainSlot = 0, PreviewSlot = 1, SettingsSlot = 2, SaverSlot = 3 };

struct FormSlotEntry {
    HWND window;  // 0 until the window is created; never cleared
    HFONT font;   // the same 12-unit face in every slot
};

// Made once at start-up and shared by every window of the process.
extern FormSlotEntry FormSlot[4];
extern HBRUSH ButtonFaceBrush;

// The class of every window but the hidden main one.
extern const wchar_t DialogClassName[];

// The face every slot's font asks for.
extern const wchar_t SharedFontFace[];

// That font at a display scale: 12 pixels at 96 dpi, scale(12) at any other.
HFONT CreateSharedFont(const Scale& scale);

// Dots per inch. Start-up tells Windows that the program draws at the
// display's own scale; these say which scale that is.
int SystemDpi();              // the screen's, for the whole process
int MonitorDpi(HWND window);  // of the monitor that shows a window (of any process), where the system can tell
// A window's own, of any process: the scale its program lays it out at (96
// for one that is not dpi aware, which Windows enlarges) where the system can
// tell (Windows 10 1607 and later); else its monitor's where each monitor has
// its own, else the system's.
int WindowDpi(HWND window);
// The outer rectangle of a window of this style whose client area is rect,
// with the caption and frame that window has at that dpi.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// Mode words the window openers dispatch on.
extern const wchar_t ModeWordSaver[];
extern const wchar_t ModeWordOption[];
extern const wchar_t ModeWordPreview[];

// Creates the settings ("Option") or saver ("Saver") window, disables the
// owner and runs a message loop until WM_QUIT; returns that message's wParam.
// Any other word: returns 0 and creates nothing.
WPARAM OpenModalWindow(HWND owner, const wchar_t* modeWord);

// Creates the preview ("Preview") window as a child of parent and returns it
// (0 if it could not be created). No loop runs here.
HWND OpenPreviewWindow(HWND parent, const wchar_t* modeWord);

// Ends a modal window: owner enabled, window destroyed, WM_QUIT(code) queued.
void CloseModalWindow(HWND window, WPARAM code);

// Loads a DLL of the system folder by its full path, never a file of that
// name beside the .scr or in the current folder; 0 if it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// A function of a loaded library, as its own type; nullptr where the library
// or the function is missing, and callers go on as after a failed call.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (!library) return nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}
