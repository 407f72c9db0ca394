// What the tests and the preview host agree on: the host's window class, its
// colours and the requests it answers.
//
// Requests are messages sent to the host's top-level window (SendMessage with
// a timeout); each answers with its result.
#pragma once

#include <windows.h>

namespace preview_host {

constexpr wchar_t TopClass[] = L"PokPreviewHost";
constexpr wchar_t AreaClass[] = L"PokPreviewArea";

// Colours no picture is likely to use at its edges, so the host's own
// background is told apart from the preview.
constexpr COLORREF TopColour = RGB(40, 40, 40);
constexpr COLORREF AreaColour = RGB(0, 96, 160);

// Where the area sits in the top-level window's client area.
constexpr int AreaMargin = 16;

enum Request : UINT {
    Area = WM_APP,          // -> the preview area's window handle
    SaverProcessId,         // -> id of the started saver process (0: it could not start)
    Focus,                  // -> the host thread's focus window
    Repaint,                // -> 1 once the preview child has painted again, 0 if it did not
    Resize,                 // wParam width, lParam height -> 1
    ClosePreview,           // WM_CLOSE posted to the preview child -> 1, 0 if there is none
    DestroyArea,            // the area (and with it the preview child) destroyed -> 1
};

}  // namespace preview_host
